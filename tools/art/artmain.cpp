// corvane-art: paints the application's icons and pictures and writes them into resources/.
// Usage: corvane-art [resources-folder]   (default: the source tree's resources folder)

#include "artkit.h"
#include "flags.h"
#include "icons.h"
#include "pictures.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    // Painting needs no screen; fonts still come from the system.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString root = args.size() > 1 ? args.at(1) : QStringLiteral(CORVANE_RESOURCES_DIR);
    const QString iconDir = root + QStringLiteral("/Images/Icons/sets/png/128x128/");
    const QString beside = root + QStringLiteral("/beside/");

    bool ok = true;
    int written = 0;
    auto write = [&](const QImage &image, const QString &path) {
        ok = art::savePng(image, path) && ok;
        ++written;
    };

    for (const art::IconSpec &icon : art::iconSpecs())
        write(art::renderIcon(icon), iconDir + icon.fileName);

    write(art::logoPicture(), root + QStringLiteral("/Images/cvLogo.png"));
    const QColor glyph(0xc9, 0xd6, 0xe3), glyphDim(0x5f, 0x74, 0x8b);
    write(art::arrowGlyph(0, glyph), root + QStringLiteral("/Images/style/arrow-down.png"));
    write(art::arrowGlyph(180, glyph), root + QStringLiteral("/Images/style/arrow-up.png"));
    write(art::arrowGlyph(0, glyphDim),
          root + QStringLiteral("/Images/style/arrow-down-disabled.png"));
    write(art::arrowGlyph(180, glyphDim),
          root + QStringLiteral("/Images/style/arrow-up-disabled.png"));
    write(art::checkGlyph(art::ink::white), root + QStringLiteral("/Images/style/check.png"));

    write(art::splashPicture(), beside + QStringLiteral("images/splash.png"));
    const QImage watermark = art::watermarkPicture();
    // Both spellings are opened (price chart and news-count chart); the file system may care.
    write(watermark, beside + QStringLiteral("Images/ChartWatermark.png"));
    write(watermark, beside + QStringLiteral("images/ChartWatermark.png"));
    write(art::settingsPicture(), beside + QStringLiteral("Images/Settings.png"));
    for (const art::FlagSpec &flag : art::flagSpecs())
        write(art::renderFlag(flag),
              beside + QStringLiteral("Images/flags/flag-%1.png").arg(flag.currency));

    std::printf("%d pictures written under %s\n", written, qPrintable(root));
    return ok ? 0 : 1;
}
