#pragma once

#include "codegen/PictureRecord.h"
#include "io/ParallelJobs.h"
#include "io/Png.h"

#include <QByteArray>
#include <QSize>
#include <QString>

#include <vector>

namespace kestrava::codegen {

// One picture file of the game and the first placed object that uses it.
struct PictureJob {
    QString name; // "tree.png"
    int level = 0;
    int object = 0;      // placed object number in the stage
    bool active = false; // an active object, else a background one
    QString objectFile;  // the object's file ("tree.obf")
    // "Этап 1, фоновый объект 2 (файл «tree.obf»)", for messages: made only when one is given.
    QString user() const;
};

// How the converter encodes the pictures it copies: fast, still a complete PNG.
io::PngOptions pictureOptions();

// A picture made ready for res, in memory.
struct EncodedPicture {
    QByteArray bytes;
    QSize size; // of the picture, as its source's header says
    bool alreadyInRes = false; // res holds these very bytes: nothing to write
    PictureRecord::Entry entry; // its source and what res holds now
    // The earlier job whose source holds these very bytes, which the game shows in its place; -1 for none.
    qsizetype sameSourceAs = -1;
};

// Decodes objectsDir/name and encodes it again for resDir/name for every job,
// in memory only, on helper threads while the caller does other work, then on
// the caller's thread too (finish()). Nothing is written. A picture `before`
// says was made from the very bytes its source holds now, and whose file in
// res still holds what was written then, is not encoded again; nor is one
// whose source holds an earlier job's bytes (sameSourceAs).
class PictureCopier {
public:
    PictureCopier(std::vector<PictureJob> jobs, QString objectsDir, QString resDir, PictureRecord before = {});

    // Reads and hashes every source on helper threads.
    void start(int helpers);
    // Then encodes each distinct source on them and this thread. Throws the
    // io::Error of the first failing job in list order, its message starting
    // with the job's user.
    void finish();

    const std::vector<PictureJob>& jobs() const { return m_jobs; }
    // Valid after finish().
    const EncodedPicture& picture(size_t k) const { return m_pictures[k]; }

private:
    void hash(size_t k);
    void encode(size_t k);

    std::vector<PictureJob> m_jobs;
    QString m_objectsDir;
    QString m_resDir;
    io::PngOptions m_options;
    PictureRecord m_before;
    std::vector<EncodedPicture> m_pictures;
    int m_helpers = 0;
    io::ParallelJobs m_hashing; // last: its threads use the members above
};

} // namespace kestrava::codegen
