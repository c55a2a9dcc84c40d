#pragma once

#include <QDialog>

namespace kvam {

// A modal form that reports its result to its opener through its tag
// (1 = confirmed or saved), or carries the request it was opened with.
class TaggedDialog : public QDialog {
public:
    using QDialog::QDialog;

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

private:
    int m_tag = 0;
};

} // namespace kvam
