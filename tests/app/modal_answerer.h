#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace kelvra::test {

// Answers the next modal message box as the test says, noting what it showed.
class ModalAnswerer {
public:
    explicit ModalAnswerer(std::function<void(QMessageBox&)> answer) : answer_(std::move(answer))
    {
        poll_.setInterval(10);
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            poll_.stop();
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->standardButtons();
            defaultButton = box->standardButton(box->defaultButton());
            answer_(*box);
        });
        poll_.start();
    }
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;

private:
    std::function<void(QMessageBox&)> answer_;
    QTimer poll_;
};

}  // namespace kelvra::test
