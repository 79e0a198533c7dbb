#include "phrases/PhraseCounter.h"

#include "engine/SpecifiedWords.h"
#include "engine/WordsToIgnore.h"

#include <algorithm>

namespace lxty {

PhraseCounter::PhraseCounter(const Settings& settings, RunState& run, const PhraseOptions& options,
                             const WordsToIgnore& wordsToIgnore)
    : m_settings(settings), m_run(run), m_options(options) {
    m_isIgnored = [&wordsToIgnore, &settings](std::u16string_view word) {
        return wordsToIgnore.IsIgnored(word, settings);
    };
}

void PhraseCounter::SizePhraseWindow() {
    m_windowSize = std::max(1, m_options.intMaxNumWordsInPhrase);
    m_slots.assign(static_cast<std::size_t>(std::max(0, m_windowSize - 1)), SlotState{});
    for (int k = 2; k <= m_windowSize; ++k)
        m_slots[static_cast<std::size_t>(k - 2)].ring.assign(static_cast<std::size_t>(k), 0);

    // The word lists may have changed since the last run: the words and what is known about
    // them start afresh.
    m_wordIds.clear();
    m_wordTexts.clear();
    m_wordIgnored.clear();
}

void PhraseCounter::ResetPhrases() {
    for (SlotState& slot : m_slots) {
        slot.start = 0;
        slot.count = 0;
        slot.ignored = 0;
    }
}

std::uint32_t PhraseCounter::Intern(const std::u16string& word) {
    auto [it, inserted] =
        m_wordIds.try_emplace(word, static_cast<std::uint32_t>(m_wordTexts.size()));
    if (inserted) {
        m_wordTexts.push_back(&it->first);
        m_wordIgnored.push_back(-1);
    }
    return it->second;
}

bool PhraseCounter::IsWordToIgnore(std::uint32_t id) {
    std::int8_t& known = m_wordIgnored[id];
    if (known < 0)
        known = (m_isIgnored && m_isIgnored(*m_wordTexts[id])) ? 1 : 0;
    return known == 1;
}

void PhraseCounter::Push(SlotState& slot, int k, std::uint32_t id, bool ignored) {
    const auto cap = static_cast<std::size_t>(k);
    if (slot.count == k) {
        // The slot is full: its first word goes.
        const std::uint32_t first = slot.ring[static_cast<std::size_t>(slot.start)];
        slot.ignored -= m_wordIgnored[first] == 1 ? 1 : 0;
        slot.ring[static_cast<std::size_t>(slot.start)] = id;
        slot.start = static_cast<int>((static_cast<std::size_t>(slot.start) + 1) % cap);
    } else {
        slot.ring[(static_cast<std::size_t>(slot.start + slot.count)) % cap] = id;
        ++slot.count;
    }
    slot.ignored += ignored ? 1 : 0;
}

const std::u16string& PhraseCounter::PhraseText(const SlotState& slot, int k) {
    // The text is assembled in one buffer that keeps its capacity, so a candidate costs no
    // allocation; the word table copies it once, when the phrase is new.
    const auto cap = static_cast<std::size_t>(k);
    m_text.clear();
    for (std::size_t i = 0; i < cap; ++i) {
        if (i > 0)
            m_text.push_back(u' ');
        m_text += *m_wordTexts[slot.ring[(static_cast<std::size_t>(slot.start) + i) % cap]];
    }
    return m_text;
}

void PhraseCounter::PhraseStep(const std::u16string& word) {
    if (m_windowSize == 0)
        SizePhraseWindow();
    const PhraseOptions& o = m_options;
    const bool wordsToIgnore = m_run.blnThereAreWordsToIgnore;
    const std::uint32_t id = Intern(word);
    // Without words to ignore in force no word is one; the list is not even asked.
    const bool ignored = wordsToIgnore && IsWordToIgnore(id);
    if (!wordsToIgnore)
        m_wordIgnored[id] = 0;

    // Single-word phrases.
    if (o.intMinNumWordsInPhrase == 1 &&
        !(!o.blnAllowPhrasesConsistingOnlyOfWordsToIgnore && ignored) && m_add)
        m_add(word);

    for (int k = 2; k <= m_windowSize; ++k) {
        if (m_run.blnStop)
            return;
        SlotState& slot = m_slots[static_cast<std::size_t>(k - 2)];
        Push(slot, k, id, ignored);
        if (slot.count != k)
            continue;
        if (k < o.intMinNumWordsInPhrase ||
            (m_run.blnStripPhrases && k > 2 * o.intMaxNumWordsInPhrase))
            continue;
        bool accepted = true;
        if (wordsToIgnore) {
            if (m_run.blnStripPhrases) {
                if (slot.ignored == k)
                    return; // nothing left after stripping: the step ends here
                const int kept = k - slot.ignored;
                accepted = kept >= o.intMinNumWordsInPhrase && kept <= o.intMaxNumWordsInPhrase;
            } else if (o.blnExcludePhrasesContainingAWordToIgnore && slot.ignored > 0) {
                accepted = false;
            } else if (o.blnExcludePhrasesConsistingOnlyOfWordsToIgnore && slot.ignored == k) {
                accepted = false;
            }
        }
        if (accepted && m_add)
            m_add(PhraseText(slot, k));
    }

    // Phrase terminators: the character that ended the word ends every phrase there.
    const Settings& s = m_settings;
    if ((s.TerminatePhraseAtPeriod == 1 && m_run.blnStoppedAtPeriod) ||
        (s.TerminatePhraseAtDoubleQuote == 1 && m_run.blnStoppedAtDoubleQuote) ||
        (s.TerminatePhraseAtTab == 1 && m_run.blnStoppedAtTab) ||
        (s.TerminatePhraseAtComma == 1 && m_run.blnStoppedAtComma))
        ResetPhrases();
}

std::u16string PhraseCounter::Slot(int k) const {
    if (k < 2 || k > m_windowSize)
        return {};
    const SlotState& slot = m_slots[static_cast<std::size_t>(k - 2)];
    const auto cap = static_cast<std::size_t>(k);
    std::u16string out;
    for (int i = 0; i < slot.count; ++i) {
        if (i > 0)
            out.push_back(u'+');
        out += *m_wordTexts[slot.ring[(static_cast<std::size_t>(slot.start + i)) % cap]];
    }
    return out;
}

AllPhrasesRules MakeAllPhrasesRules(const PhraseOptions& options, const RunState& run,
                                    std::function<bool(std::u16string_view)> isWordToIgnore) {
    AllPhrasesRules rules;
    rules.minPhraseLength = options.intMinNumWordsInPhrase;
    rules.maxPhraseLength = options.intMaxNumWordsInPhrase;
    rules.countSingleWord = [&options, &run, isWordToIgnore](const std::u16string& word) {
        return options.blnAllowPhrasesConsistingOnlyOfWordsToIgnore ||
               !run.blnThereAreWordsToIgnore || !isWordToIgnore(word);
    };
    rules.testSlot = [&options, &run, isWordToIgnore](int k, const std::u16string& slot) {
        const PhraseOptions& o = options;
        if (k < o.intMinNumWordsInPhrase ||
            (run.blnStripPhrases && k > 2 * o.intMaxNumWordsInPhrase))
            return 0;
        if (!run.blnThereAreWordsToIgnore)
            return 1;
        int ignored = 0;
        std::size_t begin = 0;
        for (;;) {
            const std::size_t plus = slot.find(u'+', begin);
            const std::size_t end = plus == std::u16string::npos ? slot.size() : plus;
            ignored += isWordToIgnore(std::u16string_view(slot).substr(begin, end - begin)) ? 1 : 0;
            if (plus == std::u16string::npos)
                break;
            begin = plus + 1;
        }
        if (run.blnStripPhrases) {
            if (ignored == k)
                return -1;
            const int kept = k - ignored;
            return kept >= o.intMinNumWordsInPhrase && kept <= o.intMaxNumWordsInPhrase ? 1 : 0;
        }
        if (o.blnExcludePhrasesContainingAWordToIgnore && ignored > 0)
            return 0;
        if (o.blnExcludePhrasesConsistingOnlyOfWordsToIgnore && ignored == k)
            return 0;
        return 1;
    };
    return rules;
}

} // namespace lxty
