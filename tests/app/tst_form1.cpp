#include "app/axis_label.h"
#include "app/chart_surface.h"
#include "app/form1.h"
#include "app/recorder_timer.h"
#include "app/window_font.h"
#include "fake_serial_link.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using kelvra::Form1;
using kelvra::LabelId;
using kelvra::TimerId;

class TstForm1 : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void window();
    void geometry_data();
    void geometry();
    void texts_data();
    void texts();
    void axisNumbersStandUnderTheGrid();
    void fonts();
    void chartsAndFramesLieAboveLabels();
    void keyboardFocus();
    void enterPressesOnlyAFocusedButton();
    void startUp();
    void labelsKeepTheirLookWhenChanged();
    void buttonsReachTheRecorder();
    void problemReportDoesNotStopTheRecorder();

private:
    kelvra::test::FakeSerialLink* link_ = nullptr;
    Form1* form_ = nullptr;
};

void TstForm1::initTestCase() { kelvra::registerFontSubstitutions(); }

void TstForm1::init()
{
    link_ = new kelvra::test::FakeSerialLink;
    form_ = new Form1(*link_);
}

void TstForm1::cleanup()
{
    delete form_;
    delete link_;
}

void TstForm1::window()
{
    QCOMPARE(form_->windowTitle(), QStringLiteral("KELVRA(12F683)"));
    QCOMPARE(form_->minimumSize(), QSize(902, 661));
    QCOMPARE(form_->maximumSize(), QSize(902, 661));
    const Qt::WindowFlags flags = form_->windowFlags();
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QCOMPARE(form_->palette().color(QPalette::Window), form_->palette().color(QPalette::Button));
}

void TstForm1::geometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("GP1") << "GP1" << "Form1" << QRect(32, 24, 722, 127);
    QTest::newRow("GP4") << "GP4" << "Form1" << QRect(32, 504, 722, 127);
    QTest::newRow("Label22") << "Label22" << "Form1" << QRect(40, 8, 153, 17);
    QTest::newRow("Label13") << "Label13" << "Form1" << QRect(8, 144, 25, 17);
    QTest::newRow("Label21") << "Label21" << "Form1" << QRect(32, 632, 745, 17);
    QTest::newRow("Frame2") << "Frame2" << "Form1" << QRect(768, 160, 121, 169);
    QTest::newRow("Label1") << "Label1" << "Frame2" << QRect(8, 40, 100, 20);
    QTest::newRow("Label6") << "Label6" << "Frame3" << QRect(8, 64, 107, 20);
    QTest::newRow("Label8") << "Label8" << "Frame1" << QRect(8, 88, 105, 25);
    QTest::newRow("Command4") << "Command4" << "Form1" << QRect(776, 384, 47, 27);
    QTest::newRow("Command7") << "Command7" << "Form1" << QRect(840, 416, 47, 27);
    QTest::newRow("Label30") << "Label30" << "Form1" << QRect(854, 357, 33, 17);
    QTest::newRow("Label27") << "Label27" << "Form1" << QRect(776, 632, 113, 17);
}

void TstForm1::geometry()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, rect);
    auto* control = form_->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), container);
    QCOMPARE(control->geometry(), rect);
}

void TstForm1::texts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("Label22") << "Label22" << QStringLiteral("ＣＨ－１");
    QTest::newRow("Label25") << "Label25" << QStringLiteral("ＣＨ－４");
    QTest::newRow("Label14") << "Label14" << QStringLiteral("5V");
    QTest::newRow("Label18") << "Label18" << QStringLiteral("0V");
    QTest::newRow("Label7") << "Label7" << QStringLiteral("ＫＥＬ");
    QTest::newRow("Label29") << "Label29" << QStringLiteral("ＶＲＡ");
    QTest::newRow("Label28") << "Label28" << QStringLiteral("ＤＬＷ");
    QTest::newRow("Label9") << "Label9" << QStringLiteral("電　　圧");
    QTest::newRow("Label4") << "Label4" << QStringLiteral("CH-4 :");
    QTest::newRow("Label5") << "Label5" << QStringLiteral("通信状況");
    QTest::newRow("Label26") << "Label26" << QStringLiteral("時　刻");
    QTest::newRow("Label6") << "Label6" << QStringLiteral("現在の時刻");
    QTest::newRow("Label30") << "Label30" << QStringLiteral("Time");
    QTest::newRow("Label27") << "Label27" << QStringLiteral("画面ライターを使用");
    QTest::newRow("Command1") << "Command1" << QStringLiteral("ＥＸＩＴ");
    QTest::newRow("Command2") << "Command2" << QStringLiteral("保　存");
    QTest::newRow("Command5") << "Command5" << QStringLiteral("１分");
    QTest::newRow("Command6") << "Command6" << QStringLiteral("５分");
    QTest::newRow("Command7") << "Command7" << QStringLiteral("20分");
}

void TstForm1::texts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    const QWidget* control = form_->findChild<QWidget*>(name);
    QVERIFY(control);
    if (auto* label = qobject_cast<const QLabel*>(control))
        QCOMPARE(label->text(), text);
    else
        QCOMPARE(qobject_cast<const QPushButton*>(control)->text(), text);
}

void TstForm1::axisNumbersStandUnderTheGrid()
{
    const QString text = kelvra::AxisLabel::axisText();
    QCOMPARE(text.size(), 173);
    const int starts[] = {1, 14, 29, 44, 58, 73, 87, 101, 116, 130, 144, 158, 171};
    for (int n = 0; n < kelvra::AxisLabel::kNumbers; ++n) {
        const QString number = QString::number(n);
        QCOMPARE(text.mid(starts[n], number.size()), number);
        QVERIFY(text.at(starts[n] - 1) == u' ');
    }
    QCOMPARE(text.count(u' '), 173 - 16);  // 16 digits
    for (const kelvra::AxisLabel* axis : {form_->Label10, form_->Label19, form_->Label20, form_->Label21})
        QCOMPARE(axis->text(), text);

    const kelvra::AxisLabel& axis = *form_->Label21;
    QCOMPARE(axis.numberRect(0).left(), 0);
    QVERIFY(axis.rect().contains(axis.numberRect(12)));
    for (int n = 1; n <= 11; ++n) {
        const double line = 10835.0 * n / 12 / 15;
        QVERIFY2(std::abs(axis.numberRect(n).center().x() + 0.5 - line) <= 1.0, qPrintable(QString::number(n)));
    }
}

void TstForm1::fonts()
{
    QCOMPARE(form_->font().family(), kelvra::kWindowFontFamily);
    QCOMPARE(form_->font().pointSizeF(), 9.0);
    QCOMPARE(form_->Label7->font().pointSizeF(), 24.0);
    QVERIFY(form_->Label7->font().bold());
    QVERIFY(!form_->Label29->font().bold());
    QCOMPARE(form_->Frame2->font().pointSizeF(), 11.25);
    QCOMPARE(form_->Label8->font().pointSizeF(), 14.25);
    QCOMPARE(form_->Command1->font().pointSizeF(), 9.75);
    QCOMPARE(form_->Command3->font().pointSizeF(), 9.0);
    QCOMPARE(form_->Label23->font().pointSizeF(), 12.0);

    if (!QFontDatabase::families().contains(QStringLiteral("IPAPGothic")))
        QSKIP("IPAPGothic is not installed");
    QCOMPARE(QFontInfo(form_->font()).family(), QStringLiteral("IPAPGothic"));
    QCOMPARE(QFontInfo(form_->Label9->font()).family(), QStringLiteral("IPAPGothic"));
}

void TstForm1::chartsAndFramesLieAboveLabels()
{
    // The title label reaches one pixel into its chart, the axis labels run under the frames.
    const QPoint titleOverChart(form_->Label22->geometry().center().x(), form_->Label22->geometry().bottom());
    QCOMPARE(form_->childAt(titleOverChart), form_->GP1);
    const QPoint axisUnderFrame(form_->Frame1->geometry().left() + 3, form_->Label10->geometry().top());
    QVERIFY(form_->Frame1->geometry().contains(axisUnderFrame));
    QCOMPARE(form_->childAt(axisUnderFrame), form_->Frame1);
}

void TstForm1::keyboardFocus()
{
    const QList<QWidget*> order{form_->GP1,      form_->GP2,      form_->GP3,      form_->GP4,
                                form_->Command1, form_->Command2, form_->Command3, form_->Command4,
                                form_->Command5, form_->Command6, form_->Command7};
    QList<QWidget*> chain;
    for (QWidget* w = form_->GP1->nextInFocusChain(); w != form_->GP1; w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus)
            chain << w;
    }
    chain.prepend(form_->GP1);
    QCOMPARE(chain, order);
    for (const QLabel* label : form_->findChildren<QLabel*>())
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    for (const QFrame* frame : {form_->Frame1, form_->Frame2, form_->Frame3})
        QCOMPARE(frame->focusPolicy(), Qt::NoFocus);

    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_));
    QCOMPARE(QApplication::focusWidget(), form_->GP1);
    for (int i = 1; i <= order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), order[i % order.size()]);
    }
}

void TstForm1::enterPressesOnlyAFocusedButton()
{
    QList<QSignalSpy*> spies;
    for (const QPushButton* button : form_->findChildren<QPushButton*>()) {
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
        spies << new QSignalSpy(button, &QPushButton::clicked);
    }
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_));
    QTest::keyClick(form_->GP1, Qt::Key_Return);
    QTest::keyClick(form_->GP1, Qt::Key_Escape);
    for (const QSignalSpy* spy : spies)
        QCOMPARE(spy->count(), 0);

    QSignalSpy free(form_->Command4, &QPushButton::clicked);
    form_->Command4->setFocus();
    QTest::keyClick(form_->Command4, Qt::Key_Return);
    QTest::keyClick(form_->Command4, Qt::Key_Space);
    QCOMPARE(free.count(), 2);
    qDeleteAll(spies);
}

void TstForm1::startUp()
{
    QCOMPARE(form_->Timer1->interval(), 0);
    QVERIFY(!form_->Timer1->isTicking());
    QVERIFY(!form_->Timer2->isTicking());

    QVERIFY(form_->load());
    QCOMPARE(form_->Label30->text(), QStringLiteral("Free"));
    QCOMPARE(form_->Timer1->interval(), 20);
    QVERIFY(form_->Timer1->isTicking());
    QCOMPARE(form_->Timer2->interval(), 1);
    QVERIFY(form_->Timer2->isIdle());
    QCOMPARE(link_->written, QStringList{QStringLiteral("0")});
    QCOMPARE(form_->recorder().GP_Point12, 10835.0);
    QCOMPARE(form_->recorder().Per_ch1S, 1900.0);
}

void TstForm1::labelsKeepTheirLookWhenChanged()
{
    QLabel& status = *form_->Label5;
    const QRect box = status.geometry();
    form_->setLabelText(LabelId::Label5, QStringLiteral("通信エラー"));
    form_->setLabelBackground(LabelId::Label5, kelvra::palette::kRed);
    QCOMPARE(status.text(), QStringLiteral("通信エラー"));
    QCOMPARE(status.palette().color(QPalette::Window), QColor(255, 0, 0));
    QVERIFY(status.autoFillBackground());
    QCOMPARE(status.geometry(), box);
    QCOMPARE(status.frameStyle(), QFrame::Panel | QFrame::Sunken);
    QVERIFY(status.alignment() & Qt::AlignHCenter);

    form_->setLabelText(LabelId::Label3, QStringLiteral("CH-3 : 2.50"));
    QCOMPARE(form_->Label3->text(), QStringLiteral("CH-3 : 2.50"));
    QCOMPARE(form_->Label3->palette().color(QPalette::Window), form_->palette().color(QPalette::HighlightedText));
    form_->setLabelText(LabelId::Label30, QStringLiteral("20分"));
    QCOMPARE(form_->Label30->text(), QStringLiteral("20分"));
    QCOMPARE(form_->Label30->palette().color(QPalette::WindowText), form_->palette().color(QPalette::WindowText));

    QCOMPARE(form_->chartWidth(3), 10835.0f);
    QCOMPARE(form_->chartHeight(0), 1900.0f);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, form_->clearChart(4));
}

void TstForm1::buttonsReachTheRecorder()
{
    QVERIFY(form_->load());
    QTest::mouseClick(form_->Command7, Qt::LeftButton);
    QCOMPARE(form_->Label30->text(), QStringLiteral("20分"));
    QCOMPARE(form_->Timer2->interval(), 1324);
    QVERIFY(form_->Timer2->isTicking());

    form_->drawLine(2, 3000, 0, 3000, 1900, kelvra::palette::kBlue);
    form_->recorder().GP1_count = 500.0;
    QTest::mouseClick(form_->Command3, Qt::LeftButton);
    QCOMPARE(form_->recorder().GP1_count, 0.0);
    QCOMPARE(form_->GP3->image().pixel(200, 60), form_->GP3->background().rgb());

    QTest::mouseClick(form_->Command4, Qt::LeftButton);
    QCOMPARE(form_->Label30->text(), QStringLiteral("Free"));
    QVERIFY(form_->Timer2->isIdle());
}

void TstForm1::problemReportDoesNotStopTheRecorder()
{
    QVERIFY(form_->load());
    form_->reportProblem(QStringLiteral("The serial line failed"));
    const auto boxes = form_->findChildren<QMessageBox*>();
    QCOMPARE(boxes.size(), 1);
    QMessageBox* box = boxes.first();
    QVERIFY(box->isVisible());
    QCOMPARE(box->windowModality(), Qt::NonModal);
    QCOMPARE(box->windowTitle(), QStringLiteral("KELVRA"));
    QCOMPARE(box->text(), QStringLiteral("The serial line failed"));
    QVERIFY(form_->Timer1->isTicking());

    const QPointer<QMessageBox> closed(box);
    box->close();
    QTRY_VERIFY(closed.isNull());
}

QTEST_MAIN(TstForm1)
#include "tst_form1.moc"
