// The game interface settings file, fed whole files: a value it accepts lies
// in the range the game can draw with, and the interface editor opening it
// either refuses it or draws its preview.
#include "io/AppFolder.h"
#include "io/Error.h"
#include "interface/InterfaceEditor.h"
#include "interface/InterfaceSettings.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace kestrava;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // The preview draws the timer's text, which needs fonts and so an application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir;
    static const QString path = dir.path() + QStringLiteral("/fuzz.ini");
    std::FILE* file = std::fopen(path.toLocal8Bit().constData(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    try {
        const interface::InterfaceSettings s = interface::readInterfaceSettings(path);
        for (const interface::BarIndicator* bar : {&s.lifebar, &s.ammobar})
            if (bar->width < 1 || bar->height < 1)
                std::abort();
        if (s.weaponWidth < 1 || s.weaponHeight < 1 || s.weaponFrames < 0 || s.fontType < 0 || s.fontType > 2
            || s.fontSize < -1 || s.fontSize > 2)
            std::abort();
    } catch (const io::Error&) {
        return 0;
    }
    static const io::AppFolder app(dir.path() + QStringLiteral("/app"));
    static interface::InterfaceEditor editor(app);
    try {
        editor.open(path);
        if (editor.iscreen().isNull())
            std::abort();
    } catch (const io::Error&) {
    }
    return 0;
}
