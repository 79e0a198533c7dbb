#include "reports/ReportError.h"

#include "util/Catalogue.h"
#include "util/Format.h"

namespace lxty {

void ReportError(OutputContext& ctx, std::int64_t number, const std::u16string& description,
                 const std::u16string& procedure) {
    ctx.run.blnElapsedTimeRunning = false;
    ctx.host.SetLabel("lblTwirler", u"");

    TextWindow& tw = ctx.textWindow;
    std::u16string message;
    if (number == kErrTextWindowFull) {
        // With almost nothing in the window, show at least the start of what was pending.
        if (!ctx.run.strOutput.empty() && tw.Length() < 256) {
            message = GetText(TextId::TextWindowCannotHold) + u"  ";
            tw.SetText(std::u16string_view(ctx.run.strOutput).substr(0, 4096));
        } else {
            message = GetText(TextId::TextWindowFull) + u"  ";
        }
        if (ctx.settings.File[1].empty())
            message += GetText(TextId::SpecifyOutputFileForAll);
        else if (ctx.settings.DisableOutputToFile != 0)
            message += GetText(TextId::EnableOutputFileForAll);
        else if (ctx.report.blnWrittenToFile)
            message += u"\n" + GetText(TextId::CompleteListWritten);

        if (tw.Length() > 1024) {
            // End the window at a whole line, followed by the out-of-space note.
            std::u16string text = tw.Text();
            text.erase(text.size() - 32);
            const auto lastBreak = text.rfind(u"\n");
            if (lastBreak != std::u16string::npos) {
                text.erase(lastBreak);
                text += u"\n\n" + GetText(TextId::TextWindowFull);
            }
            tw.SetText(text);
        }
    } else {
        message = u"At " + procedure + u" error #" + Digits(number) + u"." + u"\n" +
                  u"Description: " + description;
        if (ctx.report.blnWrittenToFile)
            message += u"\n" + GetText(TextId::CompleteListWritten);
    }
    ctx.host.MessageBox(
        message, tw.blnTextboxFull() ? GetText(TextId::TextWindowFull) : GetText(TextId::Error),
        MsgIcon::Exclamation);
}

} // namespace lxty
