// Toolbar icons whose disabled state is plain to see: grey and faint. The desktop style's own
// disabled look barely changes the program's mostly grey pictures, and with the captions off the
// picture is all a button shows.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace dravo {

// The picture of a disabled button: the colours turned to grey, the whole made faint.
QPixmap FadedPixmap(const QPixmap &pixmap);

// icon, drawn faded in the disabled mode and as it is in the others.
QIcon FadedWhenDisabled(const QIcon &icon);

} // namespace dravo
