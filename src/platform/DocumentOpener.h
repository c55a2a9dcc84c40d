#pragma once

#include <QMutex>
#include <QString>
#include <QStringList>

namespace kvam {

// Hands a written document (.xlsx, .docx, the help file) to the desktop. The
// program opens it with the default application; tests and kvam-cli record it.
class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    virtual bool open(const QString &path) = 0;
};

class RecordingDocumentOpener : public DocumentOpener {
public:
    bool open(const QString &path) override;
    QStringList opened() const;

private:
    mutable QMutex m_mutex;
    QStringList m_opened;
};

DocumentOpener &documentOpener();
// Installs opener (not owned); returns the one it replaces.
DocumentOpener *setDocumentOpener(DocumentOpener *opener);

} // namespace kvam
