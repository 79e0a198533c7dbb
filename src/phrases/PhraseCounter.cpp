#include "phrases/PhraseCounter.h"

#include "engine/SpecifiedWords.h"
#include "engine/WordsToIgnore.h"

#include <algorithm>

namespace lxty {

namespace {

// An odd multiplier for the polynomial hash of a slot's word ids.
constexpr std::uint64_t kBase = 0x9E3779B97F4A7C15ull;

// A well-mixed, never-zero code for a word id, so that neighbouring ids do not give
// neighbouring hashes.
std::uint64_t CodeOf(std::uint32_t id) {
    std::uint64_t z = static_cast<std::uint64_t>(id) + 0x632BE59BD9B4E019ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return (z ^ (z >> 31)) | 1u;
}

// The probe key of a phrase of k words: the length takes part, so that a phrase and a longer
// one never share a key by construction.
std::uint64_t KeyOf(std::uint64_t hash, int k) {
    return hash ^ (static_cast<std::uint64_t>(k) * 0xD6E8FEB86659FD93ull);
}

} // namespace

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
    m_powers.assign(static_cast<std::size_t>(m_windowSize + 1), 1);
    for (int k = 2; k <= m_windowSize; ++k)
        m_powers[static_cast<std::size_t>(k)] = m_powers[static_cast<std::size_t>(k - 1)] * kBase;

    // The word lists may have changed since the last run, and the table starts empty: the
    // caches start afresh too.
    m_wordIds.clear();
    m_wordTexts.clear();
    m_wordIgnored.clear();
    m_wordCodes.clear();
    m_phraseIndex.clear();
    m_phrases.clear();
    m_ids.clear();
}

void PhraseCounter::ResetPhrases() {
    for (SlotState& slot : m_slots) {
        slot.start = 0;
        slot.count = 0;
        slot.ignored = 0;
        slot.hash = 0;
    }
}

std::uint32_t PhraseCounter::Intern(const std::u16string& word) {
    auto [it, inserted] =
        m_wordIds.try_emplace(word, static_cast<std::uint32_t>(m_wordTexts.size()));
    if (inserted) {
        m_wordTexts.push_back(&it->first);
        m_wordIgnored.push_back(-1);
        m_wordCodes.push_back(CodeOf(it->second));
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
        slot.hash -= m_wordCodes[first] * m_powers[cap];
        slot.ignored -= m_wordIgnored[first] == 1 ? 1 : 0;
        slot.ring[static_cast<std::size_t>(slot.start)] = id;
        slot.start = static_cast<int>((static_cast<std::size_t>(slot.start) + 1) % cap);
    } else {
        slot.ring[(static_cast<std::size_t>(slot.start + slot.count)) % cap] = id;
        ++slot.count;
    }
    slot.hash = slot.hash * kBase + m_wordCodes[id];
    slot.ignored += ignored ? 1 : 0;
}

bool PhraseCounter::SameIds(const SlotState& slot, int k, const Phrase& phrase) const {
    if (phrase.length != static_cast<std::uint32_t>(k))
        return false;
    const auto cap = static_cast<std::size_t>(k);
    for (std::size_t i = 0; i < cap; ++i) {
        if (slot.ring[(static_cast<std::size_t>(slot.start) + i) % cap] != m_ids[phrase.offset + i])
            return false;
    }
    return true;
}

const std::u16string& PhraseCounter::PhraseText(const SlotState& slot, int k) {
    // Probe the keys from the slot's own key on; a different phrase under the same key (a hash
    // collision) sends the probe one key further.
    std::uint64_t key = KeyOf(slot.hash, k);
    for (;;) {
        auto it = m_phraseIndex.find(key);
        if (it == m_phraseIndex.end())
            break;
        const Phrase& phrase = m_phrases[it->second];
        if (SameIds(slot, k, phrase))
            return phrase.text;
        ++key;
    }

    // First meeting of this phrase: make its text once.
    Phrase phrase;
    phrase.offset = static_cast<std::uint32_t>(m_ids.size());
    phrase.length = static_cast<std::uint32_t>(k);
    const auto cap = static_cast<std::size_t>(k);
    std::size_t length = cap - 1;
    for (std::size_t i = 0; i < cap; ++i) {
        const std::uint32_t id = slot.ring[(static_cast<std::size_t>(slot.start) + i) % cap];
        m_ids.push_back(id);
        length += m_wordTexts[id]->size();
    }
    phrase.text.reserve(length);
    for (std::size_t i = 0; i < cap; ++i) {
        if (i > 0)
            phrase.text.push_back(u' ');
        phrase.text += *m_wordTexts[m_ids[phrase.offset + i]];
    }
    m_phraseIndex.emplace(key, static_cast<std::uint32_t>(m_phrases.size()));
    m_phrases.push_back(std::move(phrase));
    return m_phrases.back().text;
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
