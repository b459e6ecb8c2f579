#include <fcntl.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QTemporaryDir>

#include "core/exchange/exchange_file.h"
#include "core/exchange/imported_recipe.h"
#include "core/platform/file_io.h"
#include "core/platform/saporia_error.h"
#include "figure_timing.h"
#include "support/recipe_fixture.h"

// The exchange file with a 5.4 MB photo, written and read as the commands
// do, beside a plain copy of the same file's bytes. The files were just
// written: the page cache is warm. Everything runs on one thread. Every
// file the program writes is synced to disk; the plain copy is not, so the
// same copy synced is given beside it (synced_copy_ms).

namespace {

struct TRpkFixture {
    QTemporaryDir Dir;
    QString Root = Dir.path() + QStringLiteral("/Cook");
    QString Photo;
    QString Rpk = Dir.path() + QStringLiteral("/肉じゃが.rpk");
    QString Exported = Dir.path() + QStringLiteral("/out.rpk");
    QByteArray RpkNative = QFile::encodeName(Rpk);
    QByteArray CopyNative = QFile::encodeName(Dir.path() + QStringLiteral("/copy.rpk"));
    TCookItem Item;
    QString Foodstuff = QStringLiteral("じゃがいも\t3個\n牛肉 200g\n玉ねぎ 1個\n");
    QString How = QStringLiteral("1. 切る\n2. 煮る\n3. 味を含ませる\n").repeated(20);
    QString Comment = QStringLiteral("甘めの味付け");

    TRpkFixture() {
        Item.Name = QStringLiteral("肉じゃが"), Item.Icon = 3, Item.Kind = QStringLiteral("主菜");
        Item.Amount = QStringLiteral("2人分"), Item.Date = QStringLiteral("2024/05/01");
        QDir().mkpath(Root);
        const QString folder = MakeRecipe(Root, {.Name = Item.Name, .Foodstuff = Foodstuff});
        Photo = folder + QStringLiteral("/写真.jpg");
        QByteArray photo = SmallJpeg(640, 480);
        for (quint32 x = 1; photo.size() < 5400 * 1024;)
            photo.append(char((x = x * 1103515245 + 12345) >> 24));
        WriteRaw(Photo, photo);
        Export(Rpk);
    }
    // As the export command does: the photo read from its file, the texts as shown.
    void Export(const QString& path) const {
        const QByteArray photo = ReadFileBytes(Photo);
        WriteFileAtomic(path, WriteExchangeFile(ExchangeRecipeOf(Item, Foodstuff, How, Comment, photo)));
    }
};

const TRpkFixture& Fixture() {
    static const TRpkFixture fixture;
    return fixture;
}

// The anchor: open, read, write, close with system calls, as cp does;
// `synced`: and to disk before the close, as every write of the program is.
void PlainCopy(const QByteArray& from, const QByteArray& to, bool synced = false) {
    const int in = ::open(from.constData(), O_RDONLY);
    const int out = ::open(to.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    static char buffer[1 << 16];
    for (ssize_t n; (n = ::read(in, buffer, sizeof(buffer))) > 0;)
        if (::write(out, buffer, size_t(n)) != n)
            break;
    if (synced)
        ::fdatasync(out);
    ::close(in);
    ::close(out);
}

// The copy synced to disk, timed beside each run (untimed for the figure).
struct TSyncedCopy {
    double Total = 0;
    void Run(const TRpkFixture& f) { Total += MillisecondsOf([&] { PlainCopy(f.RpkNative, f.CopyNative, true); }); }
    void Report(benchmark::State& state) const {
        state.counters["synced_copy_ms"] = Total / double(state.iterations());
    }
};

void BM_FigureRpkExport(benchmark::State& state) {
    const TRpkFixture& f = Fixture();
    TSyncedCopy synced;
    TimeAgainstAnchor(
        state, [&] { PlainCopy(f.RpkNative, f.CopyNative); }, [&] { f.Export(f.Exported); }, 3.0,
        [&] { synced.Run(f); });
    synced.Report(state);
    state.counters["file_mb"] = double(QFileInfo(f.Rpk).size()) / (1 << 20);
    state.SetLabel("warm cache, 1 thread");
}

void BM_FigureRpkImport(benchmark::State& state) {
    const TRpkFixture& f = Fixture();
    const QString imported = f.Root + QStringLiteral("/肉じゃが");
    TSyncedCopy synced;
    TimeAgainstAnchor(
        state, [&] { PlainCopy(f.RpkNative, f.CopyNative); },
        [&] {
            try {
                ImportExchangeFile(f.Root, f.Rpk, 40);
            } catch (const TSaporiaError& e) {
                state.SkipWithError(qPrintable(e.message()));
            }
        },
        3.0,
        [&] {
            QDir(imported).removeRecursively();
            synced.Run(f);
        });
    synced.Report(state);
    state.SetLabel("warm cache, 1 thread");
}

}  // namespace

BENCHMARK(BM_FigureRpkExport)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FigureRpkImport)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
