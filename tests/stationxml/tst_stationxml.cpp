#include "archive/sds_layout.h"
#include "archive/station_codes.h"
#include "recorder/constants.h"
#include "tests/support/child_process.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <cmath>
#include <complex>
#include <vector>

namespace {

constexpr double kGeophoneHz = 4.5;
constexpr double kGeophoneDamping = 0.7;
constexpr double kGeophoneVoltsPerMetrePerSecond = 28.8;

// One element of the document, with everything inside it.
struct Element {
    QString name;
    QString namespaceUri;
    QXmlStreamAttributes attributes;
    QString text;
    std::vector<Element> children;

    std::vector<const Element*> all(const char* childName) const
    {
        std::vector<const Element*> found;
        for (const Element& child : children)
            if (child.name == QLatin1String(childName))
                found.push_back(&child);
        return found;
    }
    const Element& operator[](const char* childName) const
    {
        static const Element none;
        const auto found = all(childName);
        return found.empty() ? none : *found.front();
    }
    QString attribute(const char* attributeName) const
    {
        return attributes.value(QLatin1String(attributeName)).toString();
    }
    double number() const { return text.trimmed().toDouble(); }
};

Element readElement(QXmlStreamReader& xml)
{
    Element element{xml.name().toString(), xml.namespaceUri().toString(), xml.attributes(), {}, {}};
    while (xml.readNext() != QXmlStreamReader::EndElement && !xml.hasError()) {
        if (xml.isStartElement())
            element.children.push_back(readElement(xml));
        else if (xml.isCharacters())
            element.text += xml.text();
    }
    return element;
}

struct Run {
    int exitCode = -1;
    QString errors;
};

}  // namespace

// The document the program writes for a station with a position and a geophone, and its refusal
// of a station without one.
class TstStationXml : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void documentHoldsTheStationAndPassesTheSchema();
    void sensitivityIsTheGeophonesTimesTheConverters();
    void withoutPositionNothingIsWritten();

private:
    Run run(const QString& settings, const QStringList& arguments);

    QTemporaryDir scratch_;
    QString archive_;
    QString document_;
    Element root_;
};

Run TstStationXml::run(const QString& settings, const QStringList& arguments)
{
    QDir(scratch_.path()).mkpath(QStringLiteral("config/kelvra"));
    QFile file(scratch_.filePath(QStringLiteral("config/kelvra/kelvra.conf")));
    if (!file.open(QIODevice::WriteOnly) || file.write(settings.toUtf8()) != settings.toUtf8().size())
        return {};
    file.close();
    QProcess process;
    kelvra::test::endWithThisProcess(process);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), scratch_.filePath(QStringLiteral("config")));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KELVRA_STATIONXML), arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

void TstStationXml::initTestCase()
{
    QVERIFY(scratch_.isValid());
    archive_ = scratch_.filePath(QStringLiteral("archive"));
    // The vertical's first day file comes second in the folder's order.
    const kelvra::archive::SdsLayout layout(archive_);
    const kelvra::archive::StationCodes codes;
    for (const QDate day : {QDate(2026, 7, 19), QDate(2026, 4, 30), QDate(2027, 1, 2)}) {
        const QString path = layout.dayFile(codes, codes.channels[0], day);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile dayFile(path);
        QVERIFY(dayFile.open(QIODevice::WriteOnly));
    }
    document_ = scratch_.filePath(QStringLiteral("station.xml"));
    const Run written = run(QStringLiteral("archive=%1\nlatitude=35.6581\nlongitude=139.7414\nelevation=40\n"
                                           "site_name=Shiba Park\nsensor_units=M/S\nsensor_sensitivity=%2\n"
                                           "sensor_natural_frequency=%3\nsensor_damping=%4\n")
                                .arg(archive_)
                                .arg(kGeophoneVoltsPerMetrePerSecond)
                                .arg(kGeophoneHz)
                                .arg(kGeophoneDamping),
                            {QStringLiteral("-o"), document_});
    QVERIFY2(written.exitCode == 0, qPrintable(written.errors));
    QFile file(document_);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QVERIFY(xml.readNextStartElement());
    root_ = readElement(xml);
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
}

void TstStationXml::documentHoldsTheStationAndPassesTheSchema()
{
    QCOMPARE(root_.namespaceUri, QStringLiteral("http://www.fdsn.org/xml/station/1"));
    QCOMPARE(root_.name, QStringLiteral("FDSNStationXML"));
    QCOMPARE(root_["Source"].text, QStringLiteral("KELVRA"));
    const Element& station = root_["Network"]["Station"];
    QCOMPARE(root_["Network"].attribute("code"), QStringLiteral("XX"));
    QCOMPARE(station.attribute("code"), QStringLiteral("KELV"));
    QCOMPARE(station["Latitude"].number(), 35.6581);
    QCOMPARE(station["Site"]["Name"].text, QStringLiteral("Shiba Park"));
    QCOMPARE(station.attribute("startDate"), QStringLiteral("2026-04-30T00:00:00Z"));
    const auto channels = station.all("Channel");
    QCOMPARE(channels.size(), std::size_t(kelvra::kChannelCount));
    QStringList codes;
    for (const Element* channel : channels) {
        codes << channel->attribute("locationCode") + u'.' + channel->attribute("code");
        QCOMPARE((*channel)["SampleRate"].number(), 12.5);
        QCOMPARE((*channel)["Elevation"].number(), 40.0);
    }
    QCOMPARE(codes, QStringList({"00.SHZ", "00.SH1", "00.SH2", "00.SH3"}));
    // The vertical points up; components of unknown orientation claim none.
    QCOMPARE((*channels[0])["Dip"].number(), -90.0);
    QVERIFY(channels[1]->all("Dip").empty() && channels[1]->all("Azimuth").empty());
    QCOMPARE(channels[0]->attribute("startDate"), QStringLiteral("2026-04-30T00:00:00Z"));

    if (!QFileInfo::exists(QStringLiteral(KELVRA_FDSN_SCHEMA)))
        QSKIP("schema step skipped: " KELVRA_FDSN_SCHEMA " is absent; the structural checks above ran");
    QProcess xmllint;
    kelvra::test::endWithThisProcess(xmllint);
    xmllint.setProcessChannelMode(QProcess::MergedChannels);
    xmllint.start(QStringLiteral("xmllint"), {"--noout", "--schema", KELVRA_FDSN_SCHEMA, document_});
    QVERIFY2(xmllint.waitForFinished(60000), "xmllint (Debian libxml2-utils) did not run");
    QVERIFY2(xmllint.exitStatus() == QProcess::NormalExit && xmllint.exitCode() == 0,
             xmllint.readAll().constData());
}

void TstStationXml::sensitivityIsTheGeophonesTimesTheConverters()
{
    const Element& response = root_["Network"]["Station"]["Channel"]["Response"];
    const Element& sensitivity = response["InstrumentSensitivity"];
    const double expected = kGeophoneVoltsPerMetrePerSecond * kelvra::kBoardFullScale / kelvra::kFullScaleVolts;
    QVERIFY2(std::abs(sensitivity["Value"].number() / expected - 1) < 0.001, qPrintable(sensitivity["Value"].text));
    QCOMPARE(sensitivity["InputUnits"]["Name"].text, QStringLiteral("M/S"));
    QCOMPARE(sensitivity["OutputUnits"]["Name"].text, QStringLiteral("COUNTS"));

    // The stages' gains, each at the sensitivity's frequency, multiply up to it.
    const double frequency = sensitivity["Frequency"].number();
    QVERIFY(frequency > kGeophoneHz && frequency < 12.5 / 2);
    double product = 1;
    for (const Element* stage : response.all("Stage")) {
        QCOMPARE((*stage)["StageGain"]["Frequency"].number(), frequency);
        product *= (*stage)["StageGain"]["Value"].number();
    }
    QVERIFY(std::abs(product / sensitivity["Value"].number() - 1) < 1e-9);

    // The geophone's poles are those of its natural frequency and damping, and its normalized
    // response is 1 where the gains are given.
    const Element& polesZeros = (*response.all("Stage").front())["PolesZeros"];
    QCOMPARE(polesZeros["NormalizationFrequency"].number(), frequency);
    const std::complex<double> s(0, 2 * M_PI * frequency);
    std::complex<double> h = polesZeros["NormalizationFactor"].number();
    for (const Element* zero : polesZeros.all("Zero")) {
        QCOMPARE(std::complex<double>((*zero)["Real"].number(), (*zero)["Imaginary"].number()), 0.0);
        h *= s;
    }
    const auto poles = polesZeros.all("Pole");
    QCOMPARE(poles.size(), std::size_t(2));
    QCOMPARE(polesZeros.all("Zero").size(), std::size_t(2));
    for (const Element* pole : poles) {
        const std::complex<double> p((*pole)["Real"].number(), (*pole)["Imaginary"].number());
        QVERIFY(std::abs(std::abs(p) / (2 * M_PI * kGeophoneHz) - 1) < 1e-9);
        QVERIFY(std::abs(-p.real() / std::abs(p) - kGeophoneDamping) < 1e-9);
        h /= s - p;
    }
    QVERIFY2(std::abs(std::abs(h) - 1) < 1e-9, qPrintable(QString::number(std::abs(h))));
}

void TstStationXml::withoutPositionNothingIsWritten()
{
    const QString document = scratch_.filePath(QStringLiteral("refused.xml"));
    const Run refused = run(QStringLiteral("archive=%1\nlatitude=35.6581\n").arg(archive_), {"-o", document});
    QCOMPARE(refused.exitCode, 1);
    QVERIFY2(refused.errors.contains(QLatin1String("longitude")) && refused.errors.contains(QLatin1String("elevation")),
             qPrintable(refused.errors));
    QVERIFY(!QFileInfo::exists(document));
}

QTEST_GUILESS_MAIN(TstStationXml)
#include "tst_stationxml.moc"
