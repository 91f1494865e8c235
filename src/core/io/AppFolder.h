#pragma once

#include <QString>

namespace kestrava::io {

// The application folder and its support folders (objects, images, проект,
// draft, src, temp). Looked up once at start; tests give each run its own.
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

    QString objectFile(const QString& name) const;
    QString imageFile(const QString& name) const;
    QString draftFile(const QString& name) const;

    // Creates whichever support folders are missing.
    void ensureFolders() const;

private:
    QString m_root;
};

} // namespace kestrava::io
