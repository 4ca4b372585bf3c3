#pragma once

#include "link/serial_link.h"
#include "recorder/clock.h"
#include "recorder/form_view.h"
#include "recorder/recorder.h"

#include <QList>
#include <QStringList>
#include <map>
#include <optional>
#include <stdexcept>
#include <vector>

namespace kelvra::test {

struct Line {
    int chart;
    float x1, y1, x2, y2;
    std::optional<Rgb> colour;
};

// Records what the recorder asks of its window, in order.
class FakeForm : public FormView {
public:
    float width = 10835.0f;
    float height = 1900.0f;
    VerticalBand reach{0.0, 1890.0};  // the real chart's, for the trace pen

    std::vector<QString> calls;  // every operation, in order, as short text
    std::vector<Line> lines;
    std::map<LabelId, QString> labelText;
    std::map<LabelId, Rgb> labelBackground;
    std::map<TimerId, int> interval;
    std::map<TimerId, bool> idle;
    std::map<int, int> penWidth;
    QStringList problems;
    int failClearOfChart = -1;

    float chartWidth(int) const override { return width; }
    float chartHeight(int) const override { return height; }
    void setPenWidth(int chart, int pixels) override
    {
        penWidth[chart] = pixels;
        calls.push_back(QStringLiteral("pen GP%1 %2").arg(chart + 1).arg(pixels));
    }
    VerticalBand lineReach(int) const override { return reach; }
    void drawLine(int chart, float x1, float y1, float x2, float y2, std::optional<Rgb> colour) override
    {
        lines.push_back({chart, x1, y1, x2, y2, colour});
        calls.push_back(QStringLiteral("line GP%1").arg(chart + 1));
    }
    void clearChart(int chart) override
    {
        calls.push_back(QStringLiteral("clear GP%1").arg(chart + 1));
        if (chart == failClearOfChart)
            throw std::runtime_error("chart cannot be cleared");
    }
    void setLabelText(LabelId label, const QString& text) override
    {
        labelText[label] = text;
        calls.push_back(QStringLiteral("text ") + text);
    }
    void setLabelBackground(LabelId label, Rgb colour) override { labelBackground[label] = colour; }
    void setTimerInterval(TimerId timer, int milliseconds) override
    {
        interval[timer] = milliseconds;
        calls.push_back(QStringLiteral("timer%1 %2").arg(timer == TimerId::Timer1 ? 1 : 2).arg(milliseconds));
    }
    void setTimerIdle(TimerId timer, bool isIdle) override { idle[timer] = isIdle; }
    void reportProblem(const QString& message) override { problems << message; }

    void forget()
    {
        calls.clear();
        lines.clear();
    }
};

// A serial line whose replies the test queues and whose requests it reads back.
class FakeLink : public SerialLink {
public:
    QStringList replies;  // one per read; an exhausted list reads as nothing arrived
    // For each read, how many of its leading characters came before the reply could begin.
    std::vector<qsizetype> before;
    qsizetype lastBefore = 0;
    QStringList written;
    std::vector<QString> calls;
    std::vector<QString>* alsoInto = nullptr;  // another fake's calls, so that their order shows
    bool failOpen = false;
    bool failRead = false;
    bool failWrite = false;
    bool open = false;

    void setCommPort(int port) override { note(QStringLiteral("CommPort %1").arg(port)); }
    void setSettings(const QString& text) override { note(QStringLiteral("Settings ") + text); }
    void setPortOpen(bool isOpen) override
    {
        note(QStringLiteral("PortOpen %1").arg(isOpen));
        if (isOpen && failOpen)
            throw LinkError(deviceName(), QStringLiteral("No such file or directory"));
        open = isOpen;
    }
    bool portOpen() const override { return open; }
    void setInputLen(int length) override { note(QStringLiteral("InputLen %1").arg(length)); }
    QString input() override
    {
        if (failRead)
            throw LinkError(deviceName(), QStringLiteral("Input/output error"));
        lastBefore = 0;
        if (!before.empty()) {
            lastBefore = before.front();
            before.erase(before.begin());
        }
        return replies.isEmpty() ? QString() : replies.takeFirst();
    }
    void output(const QString& text) override
    {
        if (failWrite)
            throw LinkError(deviceName(), QStringLiteral("Input/output error"));
        written << text;
        note(QStringLiteral("Output ") + text);
    }
    void note(const QString& call)
    {
        calls.push_back(call);
        if (alsoInto)
            alsoInto->push_back(call);
    }
    QString deviceName() const override { return QStringLiteral("/dev/fake0"); }
    qsizetype inputBeforeReply() const override { return lastBefore; }
};

class FakeClock : public Clock {
public:
    QTime now{12, 0, 0};
    std::int64_t utcNs = 0;
    std::vector<int> pauses;

    QTime timeOfDay() const override { return now; }
    std::int64_t utcNanoseconds() const override { return utcNs; }
    void pause(int milliseconds) override { pauses.push_back(milliseconds); }
};

// A recorder after start-up, with the start-up's calls and requests forgotten.
struct StartedRecorder {
    FakeForm form;
    FakeLink link;
    FakeClock clock;
    Recorder r{form, link, clock};
    StartedRecorder()
    {
        r.startUp();
        form.forget();
        link.written.clear();
    }
    const Line& trace() const { return form.lines.back(); }
    std::vector<QString> clears() const
    {
        std::vector<QString> out;
        for (const QString& call : form.calls)
            if (call.startsWith(QLatin1String("clear")))
                out.push_back(call);
        return out;
    }
};

}  // namespace kelvra::test
