#include "app/form1.h"
#include "fake_serial_link.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QtTest>

using kelvra::Form1;

namespace {

// A window that keeps the keys it receives while it has the focus.
class KeyLog : public QWidget {
public:
    struct Key {
        int key;
        Qt::KeyboardModifiers modifiers;
    };
    QList<Key> pressed;

protected:
    void keyPressEvent(QKeyEvent* event) override { pressed.append({event->key(), event->modifiers()}); }
};

bool receivedChord(const KeyLog& log)
{
    for (const KeyLog::Key& key : log.pressed)
        if (key.key == Qt::Key_X && key.modifiers == (Qt::ControlModifier | Qt::AltModifier))
            return true;
    return false;
}

}  // namespace

class TstSaveChordX11 : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X display");
    }

    void eachPressSendsCtrlAltXToTheFocusedWindow()
    {
        kelvra::test::FakeSerialLink link;
        Form1 form(link);
        QVERIFY(form.load());
        form.show();

        KeyLog log;
        log.setFocusPolicy(Qt::StrongFocus);
        log.resize(200, 100);
        log.move(950, 50);
        log.show();
        log.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&log));

        for (int press = 1; press <= 3; ++press) {
            log.pressed.clear();
            form.Command2->click();
            QTRY_VERIFY2(receivedChord(log), qPrintable(QStringLiteral("press %1").arg(press)));
        }
        const auto shifted = std::count_if(log.pressed.begin(), log.pressed.end(),
                                           [](const KeyLog::Key& k) { return k.modifiers & Qt::ShiftModifier; });
        QCOMPARE(shifted, 0);
        QVERIFY(link.open);
    }
};

QTEST_MAIN(TstSaveChordX11)
#include "tst_save_chord_x11.moc"
