#include "LoadProblemsText.h"

#include "ui/FileText.h"
#include "ui/TextStart.h"

#include <algorithm>

namespace {

// Enough to fit one screen, however many lines there are.
constexpr std::size_t ProblemsNamed = 10;
// A line longer than this is cut: it would only widen the box past the screen (a line
// without spaces cannot wrap).
constexpr qsizetype ShownCharacters = 100;
// No character takes more bytes than this in a file's encoding.
constexpr std::size_t MaxBytesPerCharacter = 4;

// The start of text, cut after ShownCharacters with "…"; a megabyte line costs no more
// to show than a short one, as only the bytes that can be shown are decoded.
QString shortened(TextEncoding encoding, std::string_view text)
{
    const std::size_t enough = (ShownCharacters + 1) * MaxBytesPerCharacter;
    return ShownStart(fromFileText(encoding, text.substr(0, enough)), ShownCharacters);
}

} // namespace

QString IoErrorText(const IoStatus &status)
{
    return QStringLiteral("Error %1: %2").arg(status.number).arg(fromPath(status.description));
}

QString LoadProblemsText(const std::string &path, TextEncoding encoding, const std::vector<LoadProblem> &problems)
{
    QString text = QStringLiteral("%1 line(s) of %2 could not be read as written:\n")
                       .arg(problems.size())
                       .arg(fromPath(path));
    const std::size_t named = std::min(problems.size(), ProblemsNamed);
    for (std::size_t i = 0; i < named; ++i) {
        const LoadProblem &problem = problems[i];
        text += QStringLiteral("\nLine %1: %2 (%3)")
                    .arg(problem.lineNumber)
                    .arg(shortened(encoding, problem.line), shortened(encoding, problem.whatWasUsed));
    }
    if (problems.size() > named)
        text += QStringLiteral("\n... and %1 more.").arg(problems.size() - named);
    return text;
}
