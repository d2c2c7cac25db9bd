#include "ui/PrintModule.h"

#include <QDir>
#include <QFileInfo>

namespace zoz {

PrintModule::PrintModule(const QString& executable) {
    const QFileInfo file(executable);
    const QString canonical = file.canonicalFilePath();
    m_folder = QFileInfo(canonical.isEmpty() ? file.absoluteFilePath() : canonical).absolutePath();
}

QStringList PrintModule::candidates() const {
    const QString name = QStringLiteral(ZOZ_PRINT_MODULE_FILE);
    return {m_folder + QLatin1Char('/') + name,
            QDir::cleanPath(m_folder + QStringLiteral("/" ZOZ_PRINT_MODULE_PLACE "/") + name)};
}

bool PrintModule::load(QString& error) {
    if (m_print)
        return true;
    const QStringList files = candidates();
    for (const QString& file : files) {
        if (!QFileInfo::exists(file))
            continue;
        m_library.setFileName(file);
        m_print = reinterpret_cast<PrintPagesFunction>(m_library.resolve("zozPrintPages"));
        if (!m_print) {
            // A module that is there but does not load (a library it needs is missing) is
            // reported as such; looking further would hide the fault.
            error = m_library.errorString();
            m_library.unload();
        }
        return m_print != nullptr;
    }
    error = QStringLiteral("%1: not found").arg(files.join(QStringLiteral(", ")));
    return false;
}

bool PrintModule::print(const QString& title, const QMarginsF& margins,
                        const std::function<void(QPagedPaintDevice&)>& paint, QWidget* parent) {
    using Paint = std::function<void(QPagedPaintDevice&)>;
    auto call = [](QPagedPaintDevice* device, void* context) {
        (*static_cast<const Paint*>(context))(*device);
    };
    return m_print && m_print(&title, &margins, call, const_cast<Paint*>(&paint), parent);
}

} // namespace zoz
