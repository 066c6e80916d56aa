// Scaling a camera-sized JPEG to the sizes a page writes for one picture
// shown 1000 points wide: the retina file (2000 wide) and the 1x file (1000
// wide), both as JPEG. Ours (decode at reduced size, smooth scaling, Qt's
// encoder) against ImageMagick's `convert -resize` doing the same in one
// process. Prints both times and their ratio; the aim is at most 0.5.
#include "BenchSummary.h"
#include "config/DataCentre.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr QSize kSourceSize(6000, 4000);
constexpr int kShownWidth = 1000;
const char *const kImageMagick = "/usr/bin/convert";

QString gSource;
QString gOutput;
std::vector<double> gOursSeconds;
std::vector<double> gMagickSeconds;

// A photo-like picture: smooth gradients, shapes and grain, so that the
// JPEG holds as much detail as a camera file would.
bool writeSourceJpeg(const QString &path)
{
    QImage image(kSourceSize, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, kSourceSize.height());
    sky.setColorAt(0, QColor(70, 120, 200));
    sky.setColorAt(0.6, QColor(230, 200, 160));
    sky.setColorAt(1, QColor(60, 90, 40));
    painter.fillRect(image.rect(), sky);
    QRandomGenerator random(42);
    for (int i = 0; i < 400; ++i) {
        painter.setBrush(QColor::fromHsv(random.bounded(360), 80 + random.bounded(150), 80 + random.bounded(170)));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPointF(random.bounded(kSourceSize.width()), random.bounded(kSourceSize.height())),
                            20 + random.bounded(300), 20 + random.bounded(200));
    }
    painter.end();
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grain = int(random.bounded(17)) - 8;
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(qRed(c) + grain, 0, 255), std::clamp(qGreen(c) + grain, 0, 255),
                           std::clamp(qBlue(c) + grain, 0, 255));
        }
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(DataCentre::JPEGRepresentationOfImage(image, 0.9f)) > 0;
}

QSize retinaSize()
{
    return DataCentre::returnNewSizeMatchWidthRegardlessOfHeight(kSourceSize, 2 * kShownWidth).toSize();
}

QSize plainSize()
{
    return DataCentre::returnNewSizeMatchWidthRegardlessOfHeight(kSourceSize, kShownWidth).toSize();
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

void BM_Ours(benchmark::State &state)
{
    const QString retinaPath = QDir(gOutput).filePath("ours@2x.jpg");
    const QString plainPath = QDir(gOutput).filePath("ours.jpg");
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        const QImage retina = DataCentre::readImageAtSize(gSource, retinaSize());
        const QImage plain = DataCentre::imageWithImage(retina, plainSize());
        const bool ok = writeFile(retinaPath, DataCentre::JPEGRepresentationOfImage(retina, 1.0f))
                        && writeFile(plainPath, DataCentre::JPEGRepresentationOfImage(plain, 1.0f));
        gOursSeconds.push_back(timer.nsecsElapsed() / 1e9);
        if (!ok || retina.size() != retinaSize() || plain.size() != plainSize())
            state.SkipWithError(QStringLiteral("scaling failed: %1x%2 %3x%4").arg(retina.width()).arg(retina.height()).arg(plain.width()).arg(plain.height()).toStdString().c_str());
    }
}

void BM_ImageMagick(benchmark::State &state)
{
    const QString retinaPath = QDir(gOutput).filePath("magick@2x.jpg");
    const QString plainPath = QDir(gOutput).filePath("magick.jpg");
    const auto geometry = [](QSize s) { return QStringLiteral("%1x%2!").arg(s.width()).arg(s.height()); };
    const QStringList arguments{gSource,
                                "-resize",
                                geometry(retinaSize()),
                                "-quality",
                                QString::number(DataCentre::kDefaultJpegQuality),
                                "-write",
                                retinaPath,
                                "-resize",
                                geometry(plainSize()),
                                plainPath};
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QProcess convert;
        convert.start(QString::fromLatin1(kImageMagick), arguments);
        const bool ok = convert.waitForFinished(120000) && convert.exitStatus() == QProcess::NormalExit
                        && convert.exitCode() == 0;
        gMagickSeconds.push_back(timer.nsecsElapsed() / 1e9);
        if (!ok)
            state.SkipWithError("convert failed");
    }
}

BENCHMARK(BM_Ours)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_ImageMagick)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// Mean absolute difference per channel (0-255) of two pictures of one size:
// shows that the speed does not come from a rougher result.
double meanDifference(const QString &a, const QString &b)
{
    const QImage x = QImage(a).convertToFormat(QImage::Format_RGB32);
    const QImage y = QImage(b).convertToFormat(QImage::Format_RGB32);
    if (x.isNull() || x.size() != y.size())
        return -1;
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            sum += std::abs(qRed(p[col]) - qRed(q[col])) + std::abs(qGreen(p[col]) - qGreen(q[col]))
                   + std::abs(qBlue(p[col]) - qBlue(q[col]));
    }
    return sum / (3.0 * x.width() * x.height());
}

using benchsummary::median;

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir folder;
    gSource = folder.filePath("camera.jpg");
    gOutput = folder.path();
    if (!writeSourceJpeg(gSource)) {
        std::fprintf(stderr, "cannot write the source picture\n");
        return 1;
    }
    if (!QFile::exists(QString::fromLatin1(kImageMagick))) {
        std::fprintf(stderr, "%s is missing (Debian package imagemagick)\n", kImageMagick);
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const double ours = median(gOursSeconds);
    const double magick = median(gMagickSeconds);
    std::printf("\n6000x4000 JPEG -> %dx%d and %dx%d JPEG (median of runs)\n", retinaSize().width(),
                retinaSize().height(), plainSize().width(), plainSize().height());
    std::printf("ours:        %8.1f ms\n", ours * 1000);
    std::printf("ImageMagick: %8.1f ms\n", magick * 1000);
    if (magick > 0)
        std::printf("ratio ours/ImageMagick: %.2f (target at most 0.50: %s)\n", ours / magick,
                    benchsummary::verdict(ours / magick <= 0.5));
    std::printf("mean difference of the two results (0-255): retina %.2f, 1x %.2f\n",
                meanDifference(QDir(gOutput).filePath("ours@2x.jpg"), QDir(gOutput).filePath("magick@2x.jpg")),
                meanDifference(QDir(gOutput).filePath("ours.jpg"), QDir(gOutput).filePath("magick.jpg")));
    return 0;
}
