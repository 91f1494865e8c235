#pragma once

#include <QString>
#include <QStringList>

namespace kestrava::io {

// The application folder and its support folders (objects, images, проект,
// draft, src, temp, and java with the MIDP API classes and the player, built
// with the program). Looked up once at start; tests give each run its own.
//
// An installed program reads its icons, game templates and java classes from
// the read-only folder it was installed with (resources: images, draft, java)
// and keeps everything the author writes (the object library, проект, src,
// temp) in a folder of the author's own. Run from its build folder both are
// the folder beside the executable.
class AppFolder {
public:
    static constexpr const char* kEnvironmentVariable = "KESTRAVA_APP_DIR";

    explicit AppFolder(QString root) : AppFolder(root, root) {}
    AppFolder(QString root, QString resources);

    // Where the program's folders lie:
    // - the --app-dir option, else $KESTRAVA_APP_DIR, when given;
    // - the folder of the executable when the support folders lie beside it
    //   and it can be written (a build folder);
    // - else, for an installed program whose read-only files lie in
    //   ../share/kestrava: the author's own folder ($XDG_DATA_HOME/kestrava,
    //   ~/.local/share/kestrava by default), its object library seeded from
    //   the installed one without replacing anything already there;
    // - else the folder of the executable.
    // io::Error when the author's folder cannot be made or seeded.
    static AppFolder locate(const QString& commandLineDir, const QString& executableDir);

    // The installed read-only files beside an executable ("../share/kestrava"),
    // empty when there are none.
    static QString installedResources(const QString& executableDir);
    // The author's own folder of an installed program.
    static QString userFolder();

    const QString& root() const { return m_root; }
    const QString& resources() const { return m_resources; }
    QString objects() const;
    QString images() const;
    QString project() const;
    QString draft() const;
    QString src() const;
    QString temp() const;
    QString java() const;
    // The user guide (Markdown pages) and the example games, installed read-only.
    QString guide() const;
    QString examples() const;

    QString objectFile(const QString& name) const;
    QString imageFile(const QString& name) const;
    QString draftFile(const QString& name) const;
    // java/midp-api.jar: the MIDP 2.0 / CLDC 1.1 classes games compile against (no code).
    QString midpApi() const;
    // java/kestrava-player.jar: the player of packaged games.
    QString player() const;
    // temp/classes: the compiled classes of games, kept between packagings.
    QString compiledClasses() const;

    // Creates whichever support folders are missing (the read-only ones only
    // when they lie in the author's folder).
    void ensureFolders() const;

private:
    QString m_root;
    QString m_resources;
};

// The list of files seedFolder has offered, kept in the folder it seeds.
inline constexpr const char* kSeededList = ".kestrava-seeded";

// Copies every file of `from` (subfolders included) that was never offered
// to `to` before; what is there already is never replaced. Returns the files
// copied. io::Error naming the file that could not be copied.
QStringList seedFolder(const QString& from, const QString& to);

} // namespace kestrava::io
