#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

// The main window's keyed 16 x 16 pictures, drawn from SVG at any size: country flags,
// the sort arrows, the tool bar pictures (key = the button's tool tip) and the printer.
// Asking for a key that is not here is a programming error.
class ImagelistSmall final {
public:
    static constexpr int PictureSize = 16;

    // Every key, in index order.
    static const QStringList &keys();
    static bool contains(const QString &key);
    // A null icon (and an assertion in debug builds) for an unknown key.
    static QIcon icon(const QString &key);
    // At the screen's device pixel ratio, so it stays sharp at any scale factor.
    static QPixmap picture(const QString &key);
};
