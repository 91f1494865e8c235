#pragma once

#include "codegen/ParallelJobs.h"
#include "io/Png.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace kestrava::codegen {

// One picture file of the game and the first placed object that uses it.
struct PictureJob {
    QString name;  // "tree.png"
    QString user;  // "Этап 1, фоновый объект 2 (файл «tree.obf»)", for messages
};

// How the converter encodes the pictures it copies: fast, still a complete PNG.
io::PngOptions pictureOptions();

// A picture made ready for res, in memory.
struct EncodedPicture {
    QByteArray bytes;
    bool alreadyInRes = false; // res holds these very bytes: nothing to write
};

// Decodes objectsDir/name and encodes it again for resDir/name for every job,
// in memory only, on helper threads while the caller does other work, then on
// the caller's thread too (finish()). Nothing is written.
class PictureCopier {
public:
    PictureCopier(std::vector<PictureJob> jobs, QString objectsDir, QString resDir);

    void start(int helpers) { m_run.start(helpers); }
    bool failed() const { return m_run.failed(); }
    // Throws the io::Error of the first failing job in list order, its message
    // starting with the job's user.
    void finish() { m_run.finish(); }
    void stop() { m_run.stop(); }

    const std::vector<PictureJob>& jobs() const { return m_jobs; }
    // Valid after finish().
    const EncodedPicture& picture(size_t k) const { return m_pictures[k]; }

private:
    void encode(size_t k);

    std::vector<PictureJob> m_jobs;
    QString m_objectsDir;
    QString m_resDir;
    io::PngOptions m_options;
    std::vector<EncodedPicture> m_pictures;
    ParallelJobs m_run; // last: its threads use the members above
};

} // namespace kestrava::codegen
