// The window's controls: positions and sizes in twips, texts, fonts and looks.
#include "app/axis_label.h"
#include "app/chart_surface.h"
#include "app/command_button.h"
#include "app/form1.h"
#include "app/picture_label.h"
#include "app/twips.h"
#include "app/window_font.h"

#include <QFrame>
#include <QLabel>

#include <array>
#include <vector>

namespace kelvra {
namespace {

enum Look : unsigned {
    kLeft = 0,
    kCentred = 1u << 0,
    kSunken = 1u << 1,
    kHighlightTextBackground = 1u << 2,
    kWindowTextColour = 1u << 3,
    kKeepsPictures = 1u << 4,  // a reading's label: see PictureLabel
};

struct LabelSpec {
    QLabel* Form1::*member;
    const char* name;
    int left, top, width, height;
    const char* text;  // UTF-8
    qreal points;      // 0: the container's font
    bool bold;
    unsigned look;
};

constexpr int kBandStep = 2400;
constexpr int kChartLeft = 480;
constexpr int kChartTop = 360;
constexpr QSize kChartTwips(10835, 1900);
constexpr qreal kTitlePoints = 12.0;

struct Band {
    QLabel* Form1::*title;
    const char* titleName;
    const char* titleText;
    ChartSurface* Form1::*chart;
    const char* chartName;
    QLabel* Form1::*topMark;
    const char* topMarkName;
    QLabel* Form1::*bottomMark;
    const char* bottomMarkName;
    AxisLabel* Form1::*axis;
    const char* axisName;
};

const std::array<Band, kChannelCount> kBands{{
    {&Form1::Label22, "Label22", "ＣＨ－１", &Form1::GP1, "GP1", &Form1::Label14, "Label14", &Form1::Label13, "Label13",
     &Form1::Label10, "Label10"},
    {&Form1::Label23, "Label23", "ＣＨ－２", &Form1::GP2, "GP2", &Form1::Label12, "Label12", &Form1::Label11, "Label11",
     &Form1::Label19, "Label19"},
    {&Form1::Label24, "Label24", "ＣＨ－３", &Form1::GP3, "GP3", &Form1::Label15, "Label15", &Form1::Label16, "Label16",
     &Form1::Label20, "Label20"},
    {&Form1::Label25, "Label25", "ＣＨ－４", &Form1::GP4, "GP4", &Form1::Label17, "Label17", &Form1::Label18, "Label18",
     &Form1::Label21, "Label21"},
}};

struct FrameSpec {
    QFrame* Form1::*member;
    const char* name;
    int left, top, width, height;
    qreal points;  // 0: the window font
    std::vector<LabelSpec> labels;
};

const std::array<FrameSpec, 3> kFrames{{
    {&Form1::Frame1, "Frame1", 11520, 240, 1815, 2055, 0.0,
     {{
         {&Form1::Label7, "Label7", 240, 240, 1335, 495, "ＫＥＬ", 24.0, true, kCentred},
         {&Form1::Label29, "Label29", 240, 720, 1335, 495, "ＶＲＡ", 24.0, false, kCentred},
         {&Form1::Label8, "Label8", 120, 1320, 1575, 375, "PIC12F683", 14.25, false, kCentred},
         {&Form1::Label28, "Label28", 360, 1680, 1095, 255, "ＤＬＷ", 9.75, false, kCentred},
     }}},
    {&Form1::Frame2, "Frame2", 11520, 2400, 1815, 2535, 11.25,
     {{
         {&Form1::Label9, "Label9", 120, 240, 1575, 255, "電　　圧", 0.0, false, kCentred},
         {&Form1::Label1, "Label1", 120, 600, 1500, 300, "CH-1 :", 0.0, false,
          kCentred | kSunken | kHighlightTextBackground | kKeepsPictures},
         {&Form1::Label2, "Label2", 120, 1080, 1500, 300, "CH-2 :", 0.0, false,
          kCentred | kSunken | kHighlightTextBackground | kKeepsPictures},
         {&Form1::Label3, "Label3", 120, 1560, 1500, 300, "CH-3 :", 0.0, false,
          kCentred | kSunken | kHighlightTextBackground | kKeepsPictures},
         {&Form1::Label4, "Label4", 120, 2040, 1500, 300, "CH-4 :", 0.0, false,
          kCentred | kSunken | kHighlightTextBackground | kKeepsPictures},
     }}},
    {&Form1::Frame3, "Frame3", 11520, 6840, 1815, 1455, 0.0,
     {{
         {&Form1::Label5, "Label5", 120, 360, 1605, 285, "通信状況", 0.0, false, kCentred | kSunken},
         {&Form1::Label26, "Label26", 480, 720, 855, 255, "時　刻", 9.75, false, kCentred},
         {&Form1::Label6, "Label6", 120, 960, 1605, 300, "現在の時刻", 0.0, false,
          kCentred | kSunken | kHighlightTextBackground},
     }}},
}};

const std::array<LabelSpec, 2> kWindowLabels{{
    {&Form1::Label30, "Label30", 12810, 5355, 495, 255, "Time", 12.0, false, kCentred | kWindowTextColour},
    {&Form1::Label27, "Label27", 11640, 9480, 1695, 255, "画面ライターを使用", 0.0, false, kCentred},
}};

struct ButtonSpec {
    QPushButton* Form1::*member;
    const char* name;
    int left, top, width, height;
    const char* text;  // UTF-8
    qreal points;      // 0: the window font
};

// In keyboard focus order.
const std::array<ButtonSpec, 7> kButtons{{
    {&Form1::Command1, "Command1", 11880, 8520, 1095, 375, "ＥＸＩＴ", 9.75},
    {&Form1::Command2, "Command2", 11880, 9000, 1095, 375, "保　存", 9.75},
    {&Form1::Command3, "Command3", 11640, 5280, 1065, 400, "Restart", 0.0},
    {&Form1::Command4, "Command4", 11640, 5760, 700, 400, "Free", 0.0},
    {&Form1::Command5, "Command5", 11640, 6240, 700, 400, "１分", 0.0},
    {&Form1::Command6, "Command6", 12600, 5760, 700, 400, "５分", 0.0},
    {&Form1::Command7, "Command7", 12600, 6240, 700, 400, "20分", 0.0},
}};

// Labels read as bare text on the button face unless they have a look of their own.
void styleLabel(QLabel& label, const char* name, const QRect& geometry, qreal points, bool bold, unsigned look)
{
    label.setObjectName(QLatin1String(name));
    // A fixed size: a new text then does not ask the window to lay itself out again.
    label.move(geometry.topLeft());
    label.setFixedSize(geometry.size());
    if (points > 0.0)
        label.setFont(windowFont(points, bold));
    label.setAlignment(Qt::AlignTop | ((look & kCentred) ? Qt::AlignHCenter : Qt::AlignLeft));
    if (look & kSunken) {
        label.setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label.setLineWidth(1);
    }
    QPalette colours = label.palette();
    colours.setColor(QPalette::Window, colours.color((look & kHighlightTextBackground) ? QPalette::HighlightedText
                                                                                      : QPalette::Button));
    if (!(look & kWindowTextColour))
        colours.setColor(QPalette::WindowText, colours.color(QPalette::ButtonText));
    label.setPalette(colours);
    label.setAutoFillBackground(true);
}

QLabel* createLabel(Form1& form, const LabelSpec& row, QWidget* container)
{
    const QString text = QString::fromUtf8(row.text);
    auto* label = (row.look & kKeepsPictures) ? new PictureLabel(text, container) : new QLabel(text, container);
    styleLabel(*label, row.name, twipsRect(row.left, row.top, row.width, row.height), row.points, row.bold,
               row.look);
    form.*row.member = label;
    return label;
}

}  // namespace

void Form1::createControls()
{
    // Created bottom to top: the charts and frames lie above the window's own labels.
    createWindowLabels();
    createFrames();
    createCharts();
    createButtons();
    setKeyboardFocusOrder();
}

void Form1::createWindowLabels()
{
    for (int k = 0; k < kChannelCount; ++k) {
        const Band& band = kBands[static_cast<std::size_t>(k)];
        const int shift = kBandStep * k;
        createLabel(*this, {band.title, band.titleName, 600, 120 + shift, 2295, 255, band.titleText, kTitlePoints, false, kLeft},
                    this);
        createLabel(*this, {band.topMark, band.topMarkName, 120, 360 + shift, 375, 255, "5V", 0.0, false, kCentred}, this);
        createLabel(*this, {band.bottomMark, band.bottomMarkName, 120, 2160 + shift, 375, 255, "0V", 0.0, false, kCentred},
                    this);
        auto* axis = new AxisLabel(kChartTwips.width(), this);
        styleLabel(*axis, band.axisName, twipsRect(kChartLeft, 2280 + shift, 11175, 255), 0.0, false, kLeft);
        this->*band.axis = axis;
    }
    for (const LabelSpec& row : kWindowLabels)
        createLabel(*this, row, this);
}

void Form1::createFrames()
{
    for (const FrameSpec& row : kFrames) {
        auto* frame = new QFrame(this);
        frame->setObjectName(QLatin1String(row.name));
        frame->setGeometry(twipsRect(row.left, row.top, row.width, row.height));
        frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
        frame->setLineWidth(1);
        frame->setMidLineWidth(0);
        if (row.points > 0.0)
            frame->setFont(windowFont(row.points));
        this->*row.member = frame;
        for (const LabelSpec& label : row.labels)
            createLabel(*this, label, frame);
    }
}

void Form1::createCharts()
{
    for (int k = 0; k < kChannelCount; ++k) {
        const Band& band = kBands[static_cast<std::size_t>(k)];
        auto* chart = new ChartSurface(kChartTwips, this);
        chart->setObjectName(QLatin1String(band.chartName));
        chart->move(twipsToPixels(kChartLeft), twipsToPixels(kChartTop + kBandStep * k));
        this->*band.chart = chart;
    }
}

void Form1::createButtons()
{
    for (const ButtonSpec& row : kButtons) {
        auto* button = new CommandButton(QString::fromUtf8(row.text), this);
        button->setObjectName(QLatin1String(row.name));
        button->setGeometry(twipsRect(row.left, row.top, row.width, row.height));
        if (row.points > 0.0)
            button->setFont(windowFont(row.points));
        this->*row.member = button;
    }
}

void Form1::setKeyboardFocusOrder()
{
    std::array<QWidget*, kChannelCount + kButtons.size()> order{GP1, GP2, GP3, GP4};
    for (std::size_t i = 0; i < kButtons.size(); ++i)
        order[kChannelCount + i] = this->*kButtons[i].member;
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    GP1->setFocus();
}

}  // namespace kelvra
