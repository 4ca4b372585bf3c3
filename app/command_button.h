#pragma once

#include <QPushButton>

namespace kelvra {

// A push button that Enter presses while it has the focus, as the space bar does, without ever
// becoming the window's default button.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    CommandButton(const QString& text, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kelvra
