#pragma once

class QWidget;

namespace lanternix {

// Outer-frame geometry and state of a top-level window, in twips.
namespace Form {

enum WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

int Left(const QWidget& w);
int Top(const QWidget& w);
int Width(const QWidget& w);
int Height(const QWidget& w);
void setPosition(QWidget& w, int left, int top);
WindowState State(const QWidget& w);
void setState(QWidget& w, WindowState s);

} // namespace Form
} // namespace lanternix
