#include "backup/ZipAccess.h"

#include "app/Plugins.h"
#include "storage/DiskFile.h"
#include "storage/WholeFile.h"

namespace zipAccess {
namespace {

ZipPlugin* plugin()
{
    static ZipPlugin* const loaded = qobject_cast<ZipPlugin*>(plugins::load(plugins::folder(), plugins::zip));
    return loaded;
}

class WriterTarget final : public ZipTarget {
public:
    explicit WriterTarget(wholeFile::Writer& writer) : m_writer(writer) {}
    bool open() override { return m_writer.open(); }
    bool write(QByteArrayView bytes) override { return m_writer.write(bytes); }
    bool seek(qint64 position) override { return m_writer.seek(position); }
    qint64 position() const override { return m_writer.position(); }
    qint64 size() const override { return m_writer.size(); }
    bool commit() override { return m_writer.commit(); }
    void abandon() override { m_writer.abandon(); }
    QString errorString() const override { return m_writer.errorString(); }

private:
    wholeFile::Writer& m_writer;
};

}  // namespace

bool available() { return plugin() != nullptr; }

QString missing()
{
    return plugins::missingMessage(QStringLiteral("il supporto per i file zip non \u00E8 installato"), plugins::zip);
}

QString write(const QString& zipPath, const QString& folder, const QStringList& files)
{
    if (!plugin())
        return missing();
    // Leftovers of any day's killed backup go with this one.
    wholeFile::Writer writer(zipPath, QStringLiteral("*.zip"));
    WriterTarget target(writer);
    return plugin()->write(target, zipPath, folder, files);
}

std::unique_ptr<ZipReader> open(const QString& path, QString* error)
{
    if (!plugin()) {
        *error = missing();
        return nullptr;
    }
    DiskFile file;
    if (!file.open(path, DiskFile::Access::Read)) {
        *error = file.errorString();
        return nullptr;
    }
    return plugin()->read(file.release(), error);
}

std::unique_ptr<ZipInMemory> open(QByteArray bytes)
{
    return plugin() ? plugin()->open(std::move(bytes)) : nullptr;
}

}  // namespace zipAccess
