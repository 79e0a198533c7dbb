#include "phrases/PhraseCounter.h"

#include "engine/SpecifiedWords.h"
#include "engine/WordsToIgnore.h"
#include "util/FoldUnits.h"
#include "util/StringUtils.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace lxty {

namespace {

// The treatments of words to ignore that judge a phrase of k words whole, `ignored` of them
// words to ignore (removing them from phrases is judged apart).
bool KeptWhole(const PhraseOptions& o, int k, int ignored) {
    if (o.blnExcludePhrasesContainingAWordToIgnore && ignored > 0)
        return false;
    return !(o.blnExcludePhrasesConsistingOnlyOfWordsToIgnore && ignored == k);
}

// Whether a single word counts as a phrase of one word when the range starts at one.
bool CountsSingleWord(const PhraseOptions& o, bool ignored) {
    return o.blnAllowPhrasesConsistingOnlyOfWordsToIgnore || !ignored;
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

    // The word lists may have changed since the last run: the words and what is known about
    // them start afresh.
    m_words.clear();
    m_wordTexts.clear();
    m_wordKeys.clear();
    m_wordSlots.clear();
    m_wordPlain.clear();
    m_wordIgnored.clear();

    m_chainsDecided = false;
    m_useChains = false;
    m_subphrasesExcluded = false;
    m_nodes.Clear();
    m_wordNode.clear();
    // The ring keeps the words of the phrases still waiting to be looked up as well.
    std::size_t ring = 1;
    while (ring < static_cast<std::size_t>(m_windowSize) + kMostWaiting + 1)
        ring *= 2;
    m_ring.assign(ring, 0);
    m_ringMask = ring - 1;
    m_newest = 0;
    m_looking = 0;
    m_filled = 0;
    m_waiting.assign(kMostWaiting + 1, Waiting{});
    m_waitingHashes.assign((kMostWaiting + 1) * (static_cast<std::size_t>(m_windowSize) + 1), 0);
    m_firstWaiting = 0;
    m_numWaiting = 0;
    m_mostWaiting = 0;
    m_current.assign(static_cast<std::size_t>(m_windowSize) + 1, PhraseNodes::kNone);
    m_previous = m_current;
    m_nodeFiles.clear();
    m_distinct = 0;
}

void PhraseCounter::ResetPhrases() {
    for (SlotState& slot : m_slots) {
        slot.start = 0;
        slot.count = 0;
        slot.ignored = 0;
    }
    m_filled = 0;
}

std::uint32_t PhraseCounter::Intern(const std::u16string& word) {
    std::uint64_t hash = FoldUnits(0x243F6A8885A308D3ull ^ word.size(), word.data(), word.size());
    hash ^= hash >> 32;
    if (2 * (m_words.size() + 1) > m_wordSlots.size()) {
        // Grow: twice the slots, every word placed again.
        m_wordSlots.assign(std::max<std::size_t>(1024, 2 * m_wordSlots.size()), 0);
        const std::size_t mask = m_wordSlots.size() - 1;
        for (std::size_t id = 0; id < m_words.size(); ++id) {
            std::size_t i = m_wordKeys[id].hash & mask;
            while (m_wordSlots[i] != 0)
                i = (i + 1) & mask;
            m_wordSlots[i] = static_cast<std::uint32_t>(id + 1);
        }
    }
    const std::size_t mask = m_wordSlots.size() - 1;
    std::size_t i = hash & mask;
    for (; m_wordSlots[i] != 0; i = (i + 1) & mask) {
        const std::uint32_t id = m_wordSlots[i] - 1;
        const WordKey& key = m_wordKeys[id];
        if (key.hash == hash && key.size == word.size() &&
            SameUnits(key.units, word.data(), key.size))
            return id;
    }
    const auto id = static_cast<std::uint32_t>(m_words.size());
    m_words.push_back(word);
    m_wordTexts.push_back(&m_words.back());
    m_wordKeys.push_back({hash, m_words.back().data(), word.size()});
    m_wordIgnored.push_back(-1);
    m_wordPlain.push_back(std::all_of(word.begin(), word.end(), [](char16_t c) {
        return c < 0x80 && !(c >= u'A' && c <= u'Z');
    }));
    m_wordSlots[i] = id + 1;
    return id;
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

    if (!m_chainsDecided) {
        // Chains serve runs in which a phrase is counted whole or not at all: all but the
        // removal of words to ignore from phrases.
        m_useChains = m_chainsAllowed && m_counting && !m_run.blnStripPhrases;
        m_chainsDecided = true;
        // Lookups wait for a few words while their slots are fetched, unless an occurrence
        // must be told or filed at once: to an observer, which sees every word as it comes,
        // or in a folder run, whose next word may be in the next file.
        m_mostWaiting = m_useChains && m_counting->Observer() == nullptr &&
                                m_settings.Source != SourceKind::Folder
                            ? kMostWaiting
                            : 0;
    }
    if (m_useChains) {
        Prepare(id, ignored);
        if (m_numWaiting > m_mostWaiting)
            LookUpFirstWaiting();
        if (PhraseEndsAfterWord(m_settings, m_run))
            ResetPhrases();
        return;
    }

    // Single-word phrases.
    if (o.intMinNumWordsInPhrase == 1 && CountsSingleWord(o, ignored) && m_add)
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
            } else {
                accepted = KeptWhole(o, k, slot.ignored);
            }
        }
        if (accepted && m_add)
            m_add(PhraseText(slot, k));
    }

    // Phrase terminators: the character that ended the word ends every phrase there.
    if (PhraseEndsAfterWord(m_settings, m_run))
        ResetPhrases();
}

// The phrase step by chains: the phrase of k words ending here is the word k - 1 places back
// followed by the phrase of k - 1 words ending here, so each length is one lookup of two
// numbers. The text length decides, as in AddWordToList, whether a phrase is too long to
// count; a longer one is longer still.
//
// The step comes in two halves. Prepare takes the word into the ring and works out the
// hashes of the phrases ending with it, which depend on the words only, and starts fetching
// their slots; the lookups and counts (LookUpFirstWaiting) follow up to kMostWaiting words
// later, in the order of the words, by which time the slots have mostly arrived.
void PhraseCounter::Prepare(std::uint32_t id, bool ignored) {
    const std::uint64_t pos = ++m_newest;
    m_ring[pos & m_ringMask] = id;
    if (m_filled < m_windowSize)
        ++m_filled;
    if (m_wordNode.size() <= id)
        m_wordNode.resize(id + 1, PhraseNodes::kNone);

    const std::size_t at = (m_firstWaiting + m_numWaiting) % (kMostWaiting + 1);
    std::uint32_t* hashes = &m_waitingHashes[at * (static_cast<std::size_t>(m_windowSize) + 1)];
    const std::int64_t maxLength = MaxLength();
    const auto longest = static_cast<std::size_t>(m_filled);
    std::int64_t length = static_cast<std::int64_t>(m_wordKeys[id].size);
    hashes[1] = PhraseNodes::Hash(id, PhraseNodes::kNoHash);
    std::size_t reach = 1; // the longest phrase ending here that is not too long
    for (std::size_t k = 2; k <= longest; ++k) {
        const std::uint32_t first = m_ring[(pos - (k - 1)) & m_ringMask];
        length += 1 + static_cast<std::int64_t>(m_wordKeys[first].size);
        if (length > maxLength)
            break;
        hashes[k] = PhraseNodes::Hash(first, hashes[k - 1]);
        m_nodes.Prefetch(hashes[k]);
        reach = k;
    }
    m_waiting[at] = {id, ignored, static_cast<std::uint32_t>(reach), pos,
                     m_run.lngTotalNumOccurrences};
    ++m_numWaiting;
}

// AddWordToList's length limit, which does not apply when the count-only words include a
// phrase.
std::int64_t PhraseCounter::MaxLength() const {
    const bool limited = !m_run.blnReadingWords &&
                         !(m_run.blnThereAreCountOnlyWords && m_run.blnCountOnlyWordsIncludePhrase);
    return limited ? intMaxPermittedWordLength : std::numeric_limits<std::int64_t>::max();
}

void PhraseCounter::LookUpFirstWaiting() {
    const Waiting w = m_waiting[m_firstWaiting];
    const std::uint32_t* hashes =
        &m_waitingHashes[m_firstWaiting * (static_cast<std::size_t>(m_windowSize) + 1)];
    m_firstWaiting = (m_firstWaiting + 1) % (kMostWaiting + 1);
    --m_numWaiting;
    m_looking = w.pos;
    m_lookedUpTotal = w.total;

    const PhraseOptions& o = m_options;
    std::size_t slot = 0;
    std::uint32_t node = m_wordNode[w.id];
    const bool single = o.intMinNumWordsInPhrase == 1 && CountsSingleWord(o, w.ignored) &&
                        static_cast<std::int64_t>(m_wordTexts[w.id]->size()) <= MaxLength();
    if (node == PhraseNodes::kNone || single) {
        node = m_nodes.FindOrAdd(w.id, PhraseNodes::kNone, PhraseNodes::kNone, 1, hashes[1], slot);
        m_wordNode[w.id] = node;
        if (single)
            CountChain(slot, node);
    }
    m_current[1] = node;

    int ignoredWords = w.ignored ? 1 : 0; // words to ignore among the last k
    for (std::size_t k = 2; k <= w.reach; ++k) {
        if (m_run.blnStop)
            return;
        const std::uint32_t first = m_ring[(w.pos - (k - 1)) & m_ringMask];
        ignoredWords += m_wordIgnored[first] == 1 ? 1 : 0;
        node = m_nodes.FindOrAdd(first, m_current[k - 1], m_previous[k - 1],
                                 static_cast<std::uint32_t>(k), hashes[k], slot);
        m_current[k] = node;
        if (static_cast<int>(k) < o.intMinNumWordsInPhrase)
            continue;
        // Removing words to ignore from phrases keeps the text path.
        if (KeptWhole(o, static_cast<int>(k), ignoredWords))
            CountChain(slot, node);
    }
    m_previous.swap(m_current);
}

// One occurrence of a phrase, as AddWordToList counts it.
void PhraseCounter::CountChain(std::size_t slot, std::uint32_t node) {
    const std::int64_t file = m_counting->FileOfOccurrence();
    if (OccurrenceObserver* observer = m_counting->Observer())
        observer->Counted(NodeText(node));
    const bool isNew = m_nodes.CountAt(slot);
    if (m_settings.Source == SourceKind::Folder) {
        if (m_nodeFiles.size() <= node)
            m_nodeFiles.resize(static_cast<std::size_t>(node) + 1);
        AddFileCount(m_nodeFiles[node], file);
    }
    if (!isNew) {
        m_counting->YieldAfterKnownEntry();
        return;
    }
    m_run.lngNumWords = ++m_distinct;
    m_counting->ShowNewEntry([this, node] { return NodeText(node); });
}

std::u16string PhraseCounter::NodeText(std::uint32_t node) const {
    // While counting, the words of a node are found in the ring: the node is the phrase of
    // its length ending at the word being looked up.
    const std::size_t k = m_nodes.Words(node);
    std::u16string text;
    for (std::size_t i = k; i-- > 0;) {
        if (!text.empty())
            text.push_back(u' ');
        text += *m_wordTexts[m_ring[(m_looking - i) & m_ringMask]];
    }
    return text;
}

void PhraseCounter::ChainText(std::uint32_t node, const PhraseNodes::Chains& c,
                              std::u16string& text) const {
    text.clear();
    for (std::uint32_t r = node; r != PhraseNodes::kNone; r = c.Rest(r)) {
        if (r != node)
            text.push_back(u' ');
        text += *m_wordTexts[c.First(r)];
    }
}

void PhraseCounter::MoveToTable(WordTable& table) {
    m_subphrasesExcluded = false;
    if (!m_useChains) {
        m_nodes.Clear();
        return;
    }
    // The words still waiting are looked up, as they would have been at once. After a stop
    // they go, as if the stop had come before they were read (as it had, counted in words
    // looked up): the total of words read is what it was at the last word looked up.
    while (m_numWaiting > 0 && !m_run.blnStop)
        LookUpFirstWaiting();
    if (m_numWaiting > 0)
        m_run.lngTotalNumOccurrences =
            m_newest - m_numWaiting > 0 ? m_lookedUpTotal : m_waiting[m_firstWaiting].total - 1;
    m_numWaiting = 0;
    m_useChains = false;
    PhraseNodes::Chains c = m_nodes.TakeChains();
    const std::size_t n = c.Size();
    const bool stopped = m_run.blnStop;
    const std::int64_t threshold = m_run.intMFPThresholdFrequency;

    // 0: not an entry; 1: an entry that goes in; 2: an entry left out.
    std::vector<std::uint8_t> fate(n, 0);
    for (std::uint32_t i = 0; i < n; ++i)
        if (const std::int64_t count = c.Count(i); count > 0)
            fate[i] = (stopped || count >= threshold) ? 1 : 2;
    bool excluded = false;
    if (!stopped) {
        // A sub-phrase is redundant when a longer included phrase with its count contains it,
        // and then one of its one-word extensions is such a phrase too: every occurrence of
        // the container holds one of the extension, and every occurrence of the extension
        // one of the sub-phrase, so the extension's count lies between equal counts. The
        // extension is counted as well: it has no word to ignore when the container has
        // none, and not only words to ignore when the sub-phrase has another. The
        // extensions of a phrase are the phrases whose rest (word added in front) or prefix
        // (word added at the end) it is.
        for (std::uint32_t i = 0; i < n; ++i) {
            if (fate[i] == 0 || m_nodes.Words(i) < 2)
                continue;
            const std::int64_t count = c.Count(i);
            if (count < threshold)
                continue;
            for (const std::uint32_t sub : {c.Rest(i), m_nodes.Prefix(i)}) {
                if (sub != PhraseNodes::kNone && fate[sub] == 1 && c.Count(sub) == count)
                    fate[sub] = 2;
            }
        }
        excluded = true;
    }
    // The prefixes and lengths have served.
    m_nodes.Clear();
    if (!stopped) {
        // Phrases with the same sort key keep the order the alphabetical sort of the whole
        // table gives them: if any remain, every phrase goes in.
        // Distinct texts of lower-case ASCII words only are their own keys: the check is
        // needed only when some remaining phrase has another word.
        // (When every word met is such a word, no phrase need be looked at.)
        bool plain = std::all_of(m_wordPlain.begin(), m_wordPlain.end(),
                                 [](std::uint8_t p) { return p != 0; });
        if (!plain) {
            plain = true;
            for (std::uint32_t i = 0; i < n && plain; ++i) {
                if (fate[i] != 1)
                    continue;
                for (std::uint32_t r = i; r != PhraseNodes::kNone; r = c.Rest(r))
                    plain = plain && m_wordPlain[c.First(r)] != 0;
            }
        }
        std::vector<std::uint64_t> keys;
        std::u16string text;
        for (std::uint32_t i = 0; i < n && !plain; ++i) {
            if (fate[i] != 1)
                continue;
            ChainText(i, c, text);
            const bool plainText = std::all_of(text.begin(), text.end(), [](char16_t ch) {
                return ch < 0x80 && !(ch >= u'A' && ch <= u'Z');
            });
            if (!plainText) {
                text = FoldAccents(text);
                LowerCaseAllInPlace(text);
            }
            keys.push_back(std::hash<std::u16string>{}(text));
        }
        std::sort(keys.begin(), keys.end());
        if (std::adjacent_find(keys.begin(), keys.end()) != keys.end()) {
            excluded = false;
            for (std::uint8_t& f : fate)
                if (f == 2)
                    f = 1;
        }
    }

    std::int64_t leftOut = 0;
    std::vector<std::uint32_t> nodes; // the nodes that go in
    for (std::uint32_t i = 0; i < n; ++i) {
        leftOut += fate[i] == 2 ? 1 : 0;
        if (fate[i] == 1)
            nodes.push_back(i);
    }
    std::vector<std::uint8_t>().swap(fate);
    // In text order the table need not sort them; when their words and counts are all in
    // the order's keys, the chains go before the entries are made.
    TextOrder order;
    if (OrderByText(nodes, c, m_wordTexts, order)) {
        if (order.spelt) {
            c = PhraseNodes::Chains();
            std::vector<std::uint32_t>().swap(nodes);
        } else {
            // The texts come from the chains: the nodes in order are all that is kept.
            for (std::size_t i = 0; i < nodes.size(); ++i)
                nodes[i] = order.keys[i].node;
            order = TextOrder();
        }
    }
    const std::size_t entries = std::max(nodes.size(), order.keys.size());
    const FileScope scope =
        m_settings.Source == SourceKind::Folder ? FileScope::Folder : FileScope::SingleSource;
    std::size_t next = 0;
    table.Fill(
        scope,
        [&](std::u16string& word, std::int64_t& count, std::vector<FileCount>& files) {
            if (next == entries) {
                // The table checks its order next: the chains go first.
                c = PhraseNodes::Chains();
                order = TextOrder();
                std::vector<std::uint32_t>().swap(nodes);
                return false;
            }
            const std::size_t i = next++;
            const std::uint32_t node = nodes.empty() ? order.keys[i].node : nodes[i];
            if (order.spelt) {
                order.Text(i, m_wordTexts, word);
                count = order.keys[i].count;
            } else {
                ChainText(node, c, word);
                count = c.Count(node);
            }
            if (scope == FileScope::Folder && node < m_nodeFiles.size())
                files = std::move(m_nodeFiles[node]);
            return true;
        },
        entries);
    table.SetLeftOut(leftOut);
    m_subphrasesExcluded = excluded;
    std::vector<std::vector<FileCount>>().swap(m_nodeFiles);
    std::vector<std::uint32_t>().swap(m_wordNode);
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
        return CountsSingleWord(options, run.blnThereAreWordsToIgnore && isWordToIgnore(word));
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
        return KeptWhole(o, k, ignored) ? 1 : 0;
    };
    return rules;
}

} // namespace lxty
