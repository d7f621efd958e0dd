#include "common/Modules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>

#include <map>
#include <mutex>

namespace zorbon::ui {
namespace {

std::mutex& lock()
{
    static std::mutex m;
    return m;
}

std::optional<QStringList>& testDirs()
{
    static std::optional<QStringList> dirs;
    return dirs;
}

std::map<QString, void*>& opened()
{
    static std::map<QString, void*> handles;
    return handles;
}

QStringList searchDirs()
{
    if (testDirs())
        return *testDirs();
    // No run path on the program for this: it would send the loader through one more folder for
    // every library at every start.
    const QString exeDir = QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
    QStringList dirs{exeDir, QDir::cleanPath(exeDir + QStringLiteral("/../") + QStringLiteral(ZORBON_MODULE_LIBDIR))};
#ifdef ZORBON_MODULE_BUILD_DIR
    dirs << QStringLiteral(ZORBON_MODULE_BUILD_DIR);
#endif
    return dirs;
}

} // namespace

void* moduleSymbol(const QString& file, const char* symbol, QString* problem)
{
    const std::lock_guard guard(lock());
    void* handle = nullptr;
    if (const auto found = opened().find(file); found != opened().end()) {
        handle = found->second;
    } else {
        QString path;
        for (const QString& dir : searchDirs()) {
            if (QFileInfo::exists(dir + QLatin1Char('/') + file)) {
                path = dir + QLatin1Char('/') + file;
                break;
            }
        }
        if (path.isEmpty()) {
            if (problem)
                *problem = QStringLiteral("chybí soubor %1").arg(file);
            return nullptr;
        }
        handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            if (problem)
                *problem = QStringLiteral("soubor %1 nejde načíst (%2)").arg(path, QString::fromLocal8Bit(dlerror()));
            return nullptr;
        }
        opened()[file] = handle;
    }
    void* found = dlsym(handle, symbol);
    if (!found && problem)
        *problem = QStringLiteral("soubor %1 je jiné verze").arg(file);
    return found;
}

void lookForModulesIn(std::optional<QStringList> dirs)
{
    const std::lock_guard guard(lock());
    testDirs() = std::move(dirs);
    // Still open, for what they made may still be in use; only looked up afresh.
    opened().clear();
}

} // namespace zorbon::ui
