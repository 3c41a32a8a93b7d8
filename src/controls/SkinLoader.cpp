#include "SkinLoader.h"

#include "SkinGeometry.h"
#include "SkinPath.h"
#include "platform/DebugLog.h"

#include <QCoreApplication>
#include <QPainter>
#include <mutex>
#include <string>

namespace qv530 {

namespace {

std::mutex gFolderMutex;
std::filesystem::path gFolder;
bool gFolderSet = false;

}  // namespace

void SkinLoader::SetSkinFolder(const std::filesystem::path& folder) {
    std::lock_guard lock(gFolderMutex);
    gFolder = folder;
    gFolderSet = true;
}

std::filesystem::path SkinLoader::SkinFolder() {
    std::lock_guard lock(gFolderMutex);
    if (!gFolderSet) {
        const QString dir = QCoreApplication::applicationDirPath();
        gFolder = FindSkinFolder(std::filesystem::path(dir.toStdString()));
        gFolderSet = true;
    }
    return gFolder;
}

QImage SkinLoader::Load(std::string_view name) {
    const std::filesystem::path file = ResolveSkinFile(SkinFolder(), name);
    QImage image;
    if (!file.empty()) image.load(QString::fromStdString(file.string()));
    if (image.isNull()) {
        DebugWrite("Skin picture missing: " + std::string(name) + "\n");
        return {};
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage SkinLoader::Load(const QString& name) { return Load(std::string_view(name.toStdString())); }

QImage SkinLoader::LoadResource(int number) {
    const std::string name = std::string(skin::kResourceFolder) + "/" + std::to_string(number) + ".png";
    return Load(std::string_view(name));
}

QImage CutPicture(const QImage& source, int left, int top, int right, int bottom) {
    if (source.isNull() || right <= left || bottom <= top) return {};
    QImage cut(right - left, bottom - top, QImage::Format_ARGB32_Premultiplied);
    cut.fill(Qt::transparent);
    QPainter painter(&cut);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), source, QRect(left, top, right - left, bottom - top));
    return cut;
}

}  // namespace qv530
