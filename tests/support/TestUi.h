#pragma once

#include "platform/DocumentOpener.h"
#include "platform/ScriptedUi.h"

namespace kvam::test {

// A scripted Ui installed for the lifetime of the object. A prompt the test
// did not queue an answer for fails the running test at once.
class TestUi : public ScriptedUi {
public:
    TestUi();
    ~TestUi() override;

    // The last message shown, or an empty one.
    Message last() const;

private:
    Ui *m_previous;
};

// Records documents instead of opening them, for the lifetime of the object.
class TestDocumentOpener : public RecordingDocumentOpener {
public:
    TestDocumentOpener();
    ~TestDocumentOpener() override;

private:
    DocumentOpener *m_previous;
};

} // namespace kvam::test
