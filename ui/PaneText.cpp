#include "ui/PaneText.h"

#include "res/PelkarinVersion.h"

namespace {

const char* const LineBreak = "\r\n";

bool EndsWithLineBreak(const std::string& text)
{
    return text.size() >= 2 && text.compare(text.size() - 2, 2, LineBreak) == 0;
}

std::string OmittedLinesNotice(std::size_t count)
{
    return "(se omitieron " + std::to_string(count) + " l\xEDneas anteriores)" + LineBreak;
}

} // namespace

const std::vector<std::string>& InitialReportLines()
{
    static const std::vector<std::string> lines = {
        ": : : Pelkarin versi\xF3n " PELKARIN_VERSION_TEXT " : : :",
        std::string(82, ' '),
        "Reconoce y elimina Backdoor 2.03,Netol y Cadena ",
        std::string(15, ' ') + "y los elimina de forma satisfactoria",
        "",
        "",
        "",
        "Dedicado a todos los que mantienen sus equipos limpios",
        "Un saludo a los usuarios de mIRC y a quienes comparten",
        "este programa para ayudar a los dem\xE1s :)",
        "",
        "                     : : : : : www.pelkarin.example : : : : :",
    };
    return lines;
}

std::string InitialReportText()
{
    std::string text;
    for (const std::string& line : InitialReportLines())
        text += line + LineBreak;
    return text;
}

std::string AppendedLine(const std::string& currentText, const std::string& line)
{
    std::string inserted;
    if (!currentText.empty() && !EndsWithLineBreak(currentText))
        inserted = LineBreak;
    return inserted + line + LineBreak;
}

KeptText DropOldestLines(const std::string& text, std::size_t omitted, std::size_t limit)
{
    if (text.size() <= limit)
        return {text, omitted};
    const std::size_t room = limit - limit / 4;
    // The notice already there is no line of the Report: it goes, and a new one comes.
    const std::size_t noticeEnd = omitted ? text.find(LineBreak) : std::string::npos;
    std::size_t cut = noticeEnd == std::string::npos ? 0 : noticeEnd + 2;
    std::size_t dropped = omitted;
    for (std::size_t end = text.find(LineBreak, cut); end != std::string::npos && end + 2 < text.size();
         end = text.find(LineBreak, cut)) {
        if (OmittedLinesNotice(dropped).size() + text.size() - cut <= room)
            break;
        cut = end + 2;
        ++dropped;
    }
    return {dropped ? OmittedLinesNotice(dropped) + text.substr(cut) : text, dropped};
}

std::string ErrorBoxText(const std::string& message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > 0x2E)
        return message + ".";
    return message;
}

std::string InformationText(const std::string& fileBytes, bool more)
{
    const std::string bytes = fileBytes.substr(0, fileBytes.find('\0'));
    std::string text, line;
    text.reserve(bytes.size() + bytes.size() / 8);
    std::size_t lastBlank = std::string::npos;   // in line
    const auto breakAfter = [&](std::size_t length) {
        text.append(line, 0, length);
        text += LineBreak;
        line.erase(0, length);
        lastBlank = std::string::npos;   // what is left of the line has none
    };
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            breakAfter(line.size());
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            continue;
        }
        if (line.size() == LongestShownLine)
            breakAfter(lastBlank == std::string::npos ? line.size() : lastBlank + 1);
        if (c == ' ' || c == '\t')
            lastBlank = line.size();
        line += c;
    }
    text += line;
    if (more)
        text += AppendedLine(text, "(El resto del archivo no se muestra: es mayor de 1 MB)");
    return text;
}
