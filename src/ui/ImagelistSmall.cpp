#include "ImagelistSmall.h"

#include <QGuiApplication>
#include <QHash>
#include <QtGlobal>

#include <array>

namespace {

struct Picture {
    const char *key;
    const char *file;
};

// Index order of the image list; the files live in the resource under :/imagelist.
constexpr std::array<Picture, 22> Pictures{{
    {"Up", "up.svg"},
    {"Pal", "pal.svg"},
    {"Down", "down.svg"},
    {"Ger", "ger.svg"},
    {"NTSC", "ntsc.svg"},
    {"Jap", "jap.svg"},
    {"USA", "usa.svg"},
    {"Undo", "undo.svg"},
    {"Properties", "properties.svg"},
    {"Save", "save.svg"},
    {"Open", "open.svg"},
    {"Exit", "exit.svg"},
    {"Options", "options.svg"},
    {"???", "unknown.svg"},
    {"Remove ROM Entry", "remove-rom-entry.svg"},
    {"Printer", "printer.svg"},
    {"Beta", "beta.svg"},
    {"Fra", "fra.svg"},
    {"Ita", "ita.svg"},
    {"Spa", "spa.svg"},
    {"Aus", "aus.svg"},
    {"Proto", "proto.svg"},
}};

QString resourcePath(const QString &key)
{
    for (const Picture &picture : Pictures)
        if (key == QLatin1String(picture.key))
            return QStringLiteral(":/imagelist/") + QLatin1String(picture.file);
    return {};
}

} // namespace

const QStringList &ImagelistSmall::keys()
{
    static const QStringList all = [] {
        QStringList list;
        for (const Picture &picture : Pictures)
            list.append(QLatin1String(picture.key));
        return list;
    }();
    return all;
}

bool ImagelistSmall::contains(const QString &key)
{
    return !resourcePath(key).isEmpty();
}

QIcon ImagelistSmall::icon(const QString &key)
{
    static QHash<QString, QIcon> cache;
    const auto cached = cache.constFind(key);
    if (cached != cache.constEnd())
        return *cached;
    const QString path = resourcePath(key);
    Q_ASSERT_X(!path.isEmpty(), "ImagelistSmall::icon", qPrintable(key));
    if (path.isEmpty())
        return {};
    // Qt's SVG icon engine draws the picture anew for every size and device pixel ratio,
    // so icons stay sharp at any scale factor.
    const QIcon loaded(path);
    cache.insert(key, loaded);
    return loaded;
}

QPixmap ImagelistSmall::picture(const QString &key)
{
    return icon(key).pixmap(QSize(PictureSize, PictureSize), qGuiApp->devicePixelRatio());
}
