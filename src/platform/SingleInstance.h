#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace kvam {

// One running instance per program directory, named after "kvamIns". The
// lock lives in the system's temporary folder and dies with its process.
class SingleInstance {
public:
    SingleInstance(const QString &name, const QString &appDir);

    // True when this process now holds the name; false when another does.
    bool tryAcquire();

    static QString lockPathFor(const QString &name, const QString &appDir);

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace kvam
