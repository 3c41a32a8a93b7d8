#pragma once
// Loads skin pictures by the names the windows use. Every name form (either
// separator, "Skins" or "skins", with or without the skin-folder prefix)
// reaches the same file. A missing picture gives a null image and one debug
// line; callers draw nothing for it.
#include <QImage>
#include <QString>
#include <filesystem>
#include <string_view>

namespace qv530 {

class SkinLoader {
public:
    // The folder the names are resolved in; by default the skin folder of the
    // running program (see FindSkinFolder).
    static void SetSkinFolder(const std::filesystem::path& folder);
    static std::filesystem::path SkinFolder();

    // The picture as premultiplied ARGB, or a null image.
    static QImage Load(std::string_view name);
    static QImage Load(const QString& name);
    static QImage Load(const char* name) { return Load(std::string_view(name)); }
    // A numbered picture resource ("Resources/129.png").
    static QImage LoadResource(int number);
};

// Copy of the rectangle (left, top)-(right, bottom) of a picture, unscaled;
// parts outside the picture stay transparent. A null source gives a null image.
QImage CutPicture(const QImage& source, int left, int top, int right, int bottom);

}  // namespace qv530
