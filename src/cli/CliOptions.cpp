#include "cli/CliOptions.h"

#include "settings/SettingsLists.h"

#include <string_view>

namespace lxty::cli {

std::string UsageText() {
    return R"(Usage: lexitally-cli [options] [SOURCE]

Counts the words of SOURCE with the same engine and settings as the Lexitally window.
SOURCE is a file or a folder; absent or "-" reads standard input as it comes, with no length
limit, counted as clipboard text.

Options:
  --count all|specified|phrases|array
                      count all words (default), only the specified words and phrases,
                      all phrases, or write the words-by-files count array (needs --output)
  --list-files        list the files a folder run would scan
  --settings FILE     load a settings file before anything else
  --set NAME=VALUE    set one field of the settings record (repeatable, applied in order);
                      pair fields take their index: File1, WordsToIgnoreOrCount0, PhraseLength1;
                      check boxes 0 or 1, lists their 0-based index, enumerations their option
                      name (FilterMode=IncludeAllWordsInSameOrder)
  --list-settings     print every field of the settings record, its value after --settings
                      and --set, and what it accepts
  --output FILE       write the report to FILE (without it, standard output receives what the
                      output file would hold)
  --text-window       print the text window's final text instead of the file layout
  --concordance WORD  list every occurrence of WORD (a word, or a phrase in quotes, as the
                      count lists it) that the count counts, one line each:
                      FILE:LINE: LEFT[OCCURRENCE]RIGHT
  --context N         characters of context each side for --concordance, 0 to 1000
                      (default 40)
  --yes, --no         answer every question so (otherwise each takes its default button)
  --help              show this text
  --version           show the version

Settings people change most (each stands for --set assignments, applied in order):
  --case-sensitive    keep upper and lower case apart (CaseSignificant=1)
  --ignore FILE       ignore the words listed in FILE (WordsFile0=FILE)
  --only FILE         count only the words and phrases listed in FILE (WordsFile1=FILE);
                      counts the specified words unless --count says otherwise
  --order alpha|freq  list alphabetically or by frequency (WordOrder=1 or 0)
  --format N          display format N, 1 to 14 as the window's list counts them
                      (DisplayFormat=N-1; --list-settings shows the formats)
  --phrases MIN-MAX   phrases of MIN to MAX words, 1 to 25 ("4" is 4-4) (PhraseLength0=MIN-1,
                      PhraseLength1=MAX-1); counts all phrases unless --count says otherwise
  --min-frequency N   list only what occurs at least N times: phrases 1 to 30
                      (MinimumFrequency=N-1), words 1 to 9 or 10 to 100 in steps of 10
                      (IgnoreInfrequentWords and ThresholdFrequency)

Messages go to standard error as "Title: text". Exit status: 0 when the report, list or array
was produced, 1 when the run ended at an error or a refused input, 2 for a usage error.
)";
}

namespace {

// A plain decimal of at most four digits, or std::nullopt.
std::optional<int> SmallNumber(std::string_view text) {
    if (text.empty() || text.size() > 4)
        return std::nullopt;
    int n = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

// Where --min-frequency lands depends on the count, which may be named after it.
std::optional<std::vector<std::pair<std::string, std::string>>> MinFrequencySets(int n,
                                                                                 CountKind count) {
    if (count == CountKind::Phrases) {
        if (n < 1 || n > ListSize(SettingsList::MinimumFrequency))
            return std::nullopt;
        return std::vector<std::pair<std::string, std::string>>{
            {"MinimumFrequency", std::to_string(n - 1)}};
    }
    if (n == 1)
        return std::vector<std::pair<std::string, std::string>>{{"IgnoreInfrequentWords", "0"}};
    for (int i = 0; i < ListSize(SettingsList::ThresholdFrequency); ++i)
        if (ListEntryValue(SettingsList::ThresholdFrequency, i) == n)
            return std::vector<std::pair<std::string, std::string>>{
                {"IgnoreInfrequentWords", "1"}, {"ThresholdFrequency", std::to_string(i)}};
    return std::nullopt;
}

class Parser {
public:
    explicit Parser(const std::vector<std::string>& args) : m_args(args) {}

    std::optional<CliOptions> Parse(std::string* error) {
        for (m_i = 0; m_i < m_args.size() && m_error.empty(); ++m_i)
            Option(m_args[m_i]);
        if (m_error.empty())
            Finish();
        if (!m_error.empty()) {
            if (error)
                *error = m_error;
            return std::nullopt;
        }
        return m_o;
    }

private:
    void Fail(const std::string& why) {
        if (m_error.empty())
            m_error = why;
    }

    // The value of an option that takes one, as "--opt VALUE" or "--opt=VALUE"; std::nullopt
    // when a is not that option. A missing value is reported with `needs`.
    std::optional<std::string> Value(const std::string& a, std::string_view name,
                                     const std::string& needs) {
        const std::string n(name);
        if (a.rfind(n + "=", 0) == 0)
            return a.substr(n.size() + 1);
        if (a != n)
            return std::nullopt;
        if (m_i + 1 >= m_args.size()) {
            Fail(needs);
            return std::string();
        }
        return m_args[++m_i];
    }

    void Imply(CountKind count, const char* option) {
        if (m_implied && *m_implied != count)
            Fail(std::string(option) + " and " + m_impliedBy +
                 " count different things; choose with --count.");
        m_implied = count;
        m_impliedBy = option;
    }

    void Set(std::string name, std::string value) {
        m_o.sets.emplace_back(std::move(name), std::move(value));
    }

    void Option(const std::string& a) {
        if (a == "--help" || a == "-h")
            m_o.help = true;
        else if (a == "--version")
            m_o.version = true;
        else if (a == "--list-settings")
            m_o.listSettings = true;
        else if (a == "--list-files")
            m_o.listFiles = true;
        else if (a == "--text-window")
            m_o.textWindow = true;
        else if (a == "--yes")
            m_o.yes = true;
        else if (a == "--no")
            m_o.no = true;
        else if (a == "--case-sensitive")
            Set("CaseSignificant", "1");
        else if (!ValueOption(a) && m_error.empty())
            Source(a);
    }

    // The options that take a value; false when a is none of them.
    bool ValueOption(const std::string& a) {
        if (auto v = Value(a, "--count", "--count needs one of: all, specified, phrases, array."))
            Count(*v);
        else if (auto v = Value(a, "--settings", "--settings needs a file name."))
            v->empty() ? Fail("--settings needs a file name.") : void(m_o.settingsFile = *v);
        else if (auto v = Value(a, "--output", "--output needs a file name."))
            v->empty() ? Fail("--output needs a file name.") : void(m_o.output = *v);
        else if (auto v = Value(a, "--set", "--set needs NAME=VALUE."))
            Assignment(*v);
        else if (auto v = Value(a, "--ignore", "--ignore needs a file name."))
            WordsFile(0, *v, "--ignore");
        else if (auto v = Value(a, "--only", "--only needs a file name."))
            WordsFile(1, *v, "--only");
        else if (auto v = Value(a, "--order", "--order needs alpha or freq."))
            Order(*v);
        else if (auto v = Value(a, "--format", "--format needs a number from 1 to 14."))
            Format(*v);
        else if (auto v = Value(a, "--phrases", "--phrases needs MIN-MAX, e.g. 3-6."))
            Phrases(*v);
        else if (auto v = Value(a, "--min-frequency", "--min-frequency needs a number."))
            MinFrequency(*v);
        else if (auto v = Value(a, "--concordance", "--concordance needs a word."))
            v->empty() ? Fail("--concordance needs a word.") : void(m_o.concordance = *v);
        else if (auto v = Value(a, "--context", "--context needs a number from 0 to 1000."))
            Context(*v);
        else
            return false;
        return true;
    }

    void Count(const std::string& v) {
        static constexpr std::pair<std::string_view, CountKind> kKinds[] = {
            {"all", CountKind::All},
            {"specified", CountKind::Specified},
            {"phrases", CountKind::Phrases},
            {"array", CountKind::Array}};
        for (const auto& [name, kind] : kKinds) {
            if (v == name) {
                m_o.count = kind;
                m_countGiven = true;
                return;
            }
        }
        Fail("--count takes all, specified, phrases or array, not \"" + v + "\".");
    }

    void Assignment(const std::string& v) {
        const auto eq = v.find('=');
        if (eq == std::string::npos || eq == 0)
            return Fail("--set takes NAME=VALUE; \"" + v + "\" has no name or no \"=\".");
        Set(v.substr(0, eq), v.substr(eq + 1));
    }

    void WordsFile(int index, const std::string& v, const char* option) {
        if (v.empty())
            return Fail(std::string(option) + " needs a file name.");
        Set("WordsFile" + std::to_string(index), v);
        if (index == 1)
            Imply(CountKind::Specified, option);
    }

    void Order(const std::string& v) {
        if (v == "alpha" || v == "freq")
            return Set("WordOrder", v == "alpha" ? "1" : "0");
        Fail("--order takes alpha or freq, not \"" + v + "\".");
    }

    void Format(const std::string& v) {
        const auto n = SmallNumber(v);
        if (!n || *n < 1 || *n > ListSize(SettingsList::DisplayFormat))
            return Fail("--format takes a number from 1 to 14, not \"" + v + "\".");
        Set("DisplayFormat", std::to_string(*n - 1));
    }

    void Phrases(const std::string& v) {
        const auto dash = v.find('-');
        const auto low = SmallNumber(std::string_view(v).substr(0, dash));
        const auto high =
            dash == std::string::npos ? low : SmallNumber(std::string_view(v).substr(dash + 1));
        const int most = ListSize(SettingsList::PhraseLength);
        if (!low || !high || *low < 1 || *high < 1 || *low > most || *high > most)
            return Fail("--phrases takes MIN-MAX with numbers from 1 to 25, not \"" + v + "\".");
        Set("PhraseLength0", std::to_string(*low - 1));
        Set("PhraseLength1", std::to_string(*high - 1));
        Imply(CountKind::Phrases, "--phrases");
    }

    void Context(const std::string& v) {
        const auto n = SmallNumber(v);
        if (!n || *n > 1000)
            return Fail("--context takes a number from 0 to 1000, not \"" + v + "\".");
        m_o.context = *n;
    }

    void MinFrequency(const std::string& v) {
        const auto n = SmallNumber(v);
        if (!n)
            return Fail("--min-frequency takes a number, not \"" + v + "\".");
        m_minFrequency = {m_o.sets.size(), *n};
    }

    void Source(const std::string& a) {
        if (a.size() > 1 && a[0] == '-')
            return Fail("Unknown option \"" + a + "\" (see --help).");
        if (m_o.source)
            return Fail("Only one SOURCE may be given; \"" + a + "\" is a second one.");
        m_o.source = a;
    }

    void Finish() {
        if (!m_countGiven && m_implied)
            m_o.count = *m_implied;
        if (m_minFrequency) {
            const auto [at, n] = *m_minFrequency;
            const auto sets = MinFrequencySets(n, m_o.count);
            if (!sets)
                return Fail(m_o.count == CountKind::Phrases
                                ? "--min-frequency for phrases takes 1 to 30, not " +
                                      std::to_string(n) + "."
                                : "--min-frequency for words takes 1 to 9 or 10 to 100 in steps "
                                  "of 10, not " +
                                      std::to_string(n) + ".");
            m_o.sets.insert(m_o.sets.begin() + static_cast<std::ptrdiff_t>(at), sets->begin(),
                            sets->end());
        }
        if (m_o.yes && m_o.no)
            return Fail("--yes and --no cannot be given together.");
        if (m_o.concordance &&
            (m_o.count == CountKind::Array || m_o.listFiles || m_o.output || m_o.textWindow))
            return Fail("--concordance lists occurrences only; it takes no --output, "
                        "--text-window, --list-files or --count array.");
        if (m_o.count == CountKind::Array && !m_o.output && !m_o.help && !m_o.version &&
            !m_o.listSettings)
            return Fail("--count array needs --output FILE.");
    }

    const std::vector<std::string>& m_args;
    std::size_t m_i = 0;
    CliOptions m_o;
    std::string m_error;
    bool m_countGiven = false;
    std::optional<CountKind> m_implied;
    const char* m_impliedBy = "";
    std::optional<std::pair<std::size_t, int>> m_minFrequency;
};

} // namespace

std::optional<CliOptions> ParseCommandLine(const std::vector<std::string>& args,
                                           std::string* error) {
    return Parser(args).Parse(error);
}

} // namespace lxty::cli
