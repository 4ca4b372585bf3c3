#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <set>

namespace {

std::set<QString> placeholders(const QString& text)
{
    static const QRegularExpression marker(QStringLiteral("%L?(?:\\d+|n)"));
    std::set<QString> found;
    for (const QRegularExpressionMatch& match : marker.globalMatch(text))
        found.insert(match.captured());
    return found;
}

}  // namespace

// Every message of the program has a finished translation that keeps its placeholders.
class TstTranslations : public QObject {
    Q_OBJECT
private slots:
    void everyMessageIsTranslated_data();
    void everyMessageIsTranslated();
};

void TstTranslations::everyMessageIsTranslated_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("Japanese") << QStringLiteral("ja");
    QTest::newRow("English") << QStringLiteral("en");
}

void TstTranslations::everyMessageIsTranslated()
{
    QFETCH(QString, language);
    const QDir source(QStringLiteral(KELVRA_SOURCE_DIR));
    const QString name = QStringLiteral("kelvra_%1.ts").arg(language);
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString ts = scratch.filePath(name);
    QVERIFY(QFile::copy(source.filePath(QStringLiteral("translations/") + name), ts));

    // lupdate marks what the sources have that the file lacks as unfinished, and what the file
    // has that the sources no longer say as vanished.
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(KELVRA_LUPDATE),
                  {"-I", source.path(), "-locations", "none", source.filePath("app"), source.filePath("link"),
                   source.filePath("recorder"), source.filePath("archive"), source.filePath("detector"),
                   source.filePath("settings"), source.filePath("stationxml"), source.filePath("events"), "-ts",
                   ts});
    QVERIFY(lupdate.waitForFinished(120000));
    QVERIFY2(lupdate.exitStatus() == QProcess::NormalExit && lupdate.exitCode() == 0, lupdate.readAll().constData());

    QFile file(ts);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString context, sourceText;
    int messages = 0;
    QStringList faults;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("source"))
            sourceText = xml.readElementText();
        else if (xml.name() == QLatin1String("translation")) {
            ++messages;
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            // A plural message holds one numerusform per form.
            const QString translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (!type.isEmpty() || translation.isEmpty())
                faults << QStringLiteral("%1 %2: \"%3\"").arg(context, type.isEmpty() ? "empty" : type, sourceText);
            else if (placeholders(translation) != placeholders(sourceText))
                faults << QStringLiteral("%1 placeholders differ: \"%2\"").arg(context, sourceText);
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(messages > 0);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

QTEST_GUILESS_MAIN(TstTranslations)
#include "tst_translations.moc"
