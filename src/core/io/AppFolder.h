#pragma once

#include <QString>

namespace kestrava::io {

// The application folder and its support folders (objects, images, проект,
// draft, src, temp, and java with the MIDP API classes and the player, built
// with the program). Looked up once at start; tests give each run its own.
class AppFolder {
public:
    static constexpr const char* kEnvironmentVariable = "KESTRAVA_APP_DIR";

    explicit AppFolder(QString root);

    // The --app-dir option when given, else $KESTRAVA_APP_DIR, else the
    // folder of the executable.
    static QString locate(const QString& commandLineDir, const QString& executableDir);

    const QString& root() const { return m_root; }
    QString objects() const;
    QString images() const;
    QString project() const;
    QString draft() const;
    QString src() const;
    QString temp() const;
    QString java() const;

    QString objectFile(const QString& name) const;
    QString imageFile(const QString& name) const;
    QString draftFile(const QString& name) const;
    // java/midp-api.jar: the MIDP 2.0 / CLDC 1.1 classes games compile against (no code).
    QString midpApi() const;
    // java/kestrava-player.jar: the player of packaged games.
    QString player() const;

    // Creates whichever support folders are missing.
    void ensureFolders() const;

private:
    QString m_root;
};

} // namespace kestrava::io
