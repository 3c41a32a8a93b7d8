#include "app/DesktopLanguage.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

#include "lang/Language.h"
#include "platform/DebugLog.h"

namespace qv530 {
namespace {

// Faces known to draw Chinese well, in the order we prefer them.
const char* const kPreferredChinese[] = {"WenQuanYi Zen Hei", "Noto Sans CJK SC", "Noto Sans CJK TC",
                                         "Source Han Sans SC", "Droid Sans Fallback", "AR PL UMing CN"};

} // namespace

QStringList FamiliesWithGlyphsOf(const std::string& languageCode) {
    QFontDatabase::WritingSystem system;
    if (languageCode == "CHS") system = QFontDatabase::SimplifiedChinese;
    else if (languageCode == "CHT") system = QFontDatabase::TraditionalChinese;
    else return {};
    const QStringList installed = QFontDatabase::families(system);
    QStringList ordered;
    for (const char* preferred : kPreferredChinese)
        if (installed.contains(QString::fromLatin1(preferred))) ordered << QString::fromLatin1(preferred);
    for (const QString& family : installed)
        if (!ordered.contains(family)) ordered << family;
    return ordered;
}

void InstallLanguageFonts() {
    QStringList chinese = FamiliesWithGlyphsOf("CHS");
    for (const QString& family : FamiliesWithGlyphsOf("CHT"))
        if (!chinese.contains(family)) chinese << family;
    if (chinese.isEmpty()) {
        DebugWrite("No installed font has Chinese glyphs; Chinese texts cannot be drawn.\n");
        return;
    }
    QFont::insertSubstitutions(QString::fromUtf8(FontFace("CHS").data()), chinese);
}

bool InstallQtTranslations(const std::string& languageCode) {
    QString locale;
    if (languageCode == "DE") locale = "de";
    else if (languageCode == "CHS") locale = "zh_CN";
    else if (languageCode == "CHT") locale = "zh_TW";
    else return true;
    static QTranslator translator; // lives as long as the program
    QCoreApplication::removeTranslator(&translator);
    if (!translator.load("qtbase_" + locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        DebugPrintf("Qt's translations for %s are not installed.\n", locale.toUtf8().constData());
        return false;
    }
    QCoreApplication::installTranslator(&translator);
    return true;
}

} // namespace qv530
