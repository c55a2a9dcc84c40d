#include "support/TestUi.h"

#include <QTest>

namespace kvam::test {

TestUi::TestUi()
{
    onUnexpected = [](const QString &what) {
        QTest::qFail(qPrintable(what), __FILE__, __LINE__);
    };
    m_previous = setUi(this);
}

TestUi::~TestUi() { setUi(m_previous); }

ScriptedUi::Message TestUi::last() const
{
    const QList<Message> all = messages();
    return all.isEmpty() ? Message{} : all.last();
}

TestDocumentOpener::TestDocumentOpener() { m_previous = setDocumentOpener(this); }

TestDocumentOpener::~TestDocumentOpener() { setDocumentOpener(m_previous); }

} // namespace kvam::test
