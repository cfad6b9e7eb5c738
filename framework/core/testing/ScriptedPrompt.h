#pragma once

#include "framework/core/Services.h"

#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace fw::test {

// A prompt that answers from a script. Each expectation names the string id
// of the prompt (or a fragment of its text) and the answer to give; prompts
// must come in the scripted order. A prompt that does not match the next
// expectation is answered with its default button and recorded as
// unexpected, for the test to check (EXPECT_EQ(prompt.Problems(), "")).
class ScriptedPrompt final : public IPrompt {
public:
    struct Record {
        CString text;
        unsigned flags = 0;
        unsigned msgId = 0;
        unsigned help = 0;
        int answer = 0;
        bool expected = false;
    };

    ScriptedPrompt& Expect(unsigned msgId, int answer);
    ScriptedPrompt& ExpectText(const CString& fragment, int answer);

    int MessageBox(const CString& text, unsigned flags, unsigned msgId, unsigned help) override;

    std::vector<Record> Prompts() const;     // every prompt, in order
    std::vector<Record> Unexpected() const;  // the ones no expectation matched
    size_t PendingExpectations() const;
    // Empty when every prompt was expected and every expectation was met;
    // else one line per problem.
    std::string Problems() const;
    void Reset();
    // Called (outside the lock) for each unexpected prompt, so a test
    // harness can fail the test on the spot (ADD_FAILURE).
    void SetUnexpectedHandler(std::function<void(const Record&)> handler);

private:
    struct Expectation {
        unsigned msgId = 0;
        CString fragment;  // used when msgId is 0
        int answer = 0;
    };
    static std::string Describe(const Expectation& e);

    mutable std::mutex m_mutex;
    std::deque<Expectation> m_queue;
    std::vector<Record> m_records;
    std::function<void(const Record&)> m_onUnexpected;
};

} // namespace fw::test
