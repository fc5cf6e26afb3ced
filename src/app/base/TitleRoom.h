#pragma once
// Room for a window's title: the window manager draws a dialog's title in its
// frame beside the window icon and the frame's buttons, and cuts the title
// ("Produ...mation") when the dialog is narrower than all of them together.

class QWidget;

namespace torvan {

// The width a window with the title of `window` needs for the whole title to
// show: the title in a bold title-bar font, the icon and four title-bar
// buttons (minimise, maximise, close and help; a dialog shows some of them).
int TitleRoom(const QWidget& window);

// Keeps `window` at least TitleRoom() wide from now on, also when its title
// changes later; a window of fixed size gets as much wider as that needs.
void KeepTitleWhole(QWidget* window);

}  // namespace torvan
