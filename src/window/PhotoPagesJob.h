#pragma once
// Photo pages by day: the scanned photos become pages of the open project,
// one page per day of file modification ("yyyyMMdd"), headed by the date,
// each photo followed by its caption; then the index page "Summary" lists
// every page. The pages are worked on the main thread, one photo per turn of
// the event loop, so the program stays responsive; only the reading and
// decoding of the photos runs on workers, a few photos ahead. A rerun
// rebuilds the index page's heading and site map instead of adding new ones.
// Photos that could not be read are named at the end.
#include "config/ZovFileHelper.h"

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class ProjectPages;
class SKTDocument;
class SKTGraphicView;

struct PhotoPageOptions {
    bool thumbnail = true;
    bool filePath = true;
    bool timestamp = true;
};

// One photo as a worker read it.
struct DecodedPhoto {
    QImage picture;          // scaled for the page, null when unreadable
    QSize pixelSize;         // the file's own size
    QByteArray original;     // the file's bytes, kept as the original
    QString type;            // "PNG" or "JPG"
    QString error;
};

class PhotoPagesJob : public QObject {
    Q_OBJECT
public:
    PhotoPagesJob(ProjectPages &project, QList<ZovFileHelper> photos, PhotoPageOptions options,
                  QObject *window = nullptr);
    ~PhotoPagesJob() override;

    // The canvas stops drawing graphics while the job runs (optional).
    void setCanvas(SKTGraphicView *canvas);
    // Starts the job; finished() follows on the main thread.
    void start();
    bool isRunning() const { return running_; }
    const QStringList &unreadable() const { return unreadable_; }

    // The photo's size on the page: at most gMaxInsertedImageSize (600 when
    // 0) wide, the height scaled as the width.
    static QSize photoSize(const QSize &pixels);
    static QString photoType(const QString &path);
    // Reads one photo (any thread).
    static DecodedPhoto decode(const QString &path);
    // The caption text of a photo.
    static QString captionText(const QDateTime &date, const QString &path, const PhotoPageOptions &options);

signals:
    void finished();

private:
    void requestDecodes();
    void step();
    bool switchToDayPage(const ZovFileHelper &photo);
    int addPhotoToPage(const ZovFileHelper &photo, const DecodedPhoto &decoded, int y);
    void end();
    void generateIndexSheet();
    bool openOrAddPage(const QString &fileName, bool *existed);

    struct Insertion;
    ProjectPages &project_;
    QList<ZovFileHelper> photos_;
    PhotoPageOptions options_;
    QPointer<QObject> window_;
    QPointer<SKTGraphicView> canvas_;
    std::unique_ptr<Insertion> insertion_;
    QMap<int, DecodedPhoto> ready_;
    int next_ = 0;        // the next photo to place
    int requested_ = 0;   // the next photo to hand to a worker
    int y_ = 110;
    bool running_ = false;
    bool stepQueued_ = false;
    QStringList unreadable_;
};
