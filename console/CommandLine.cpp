#include "console/CommandLine.h"

#include <algorithm>
#include <cctype>

const char* const UsageText =
    "Uso: PelkarinCmd [/scan | /clean | /restore] [/plan:<lista>] [/log:<ruta>] [/timeout:<segundos>] [/quiet]\r\n"
    "  /scan       busca y no cambia nada (por omisi\xF3n)\r\n"
    "  /clean      desinfecta: exige /plan:\r\n"
    "  /restore    deshace la \xFAltima desinfecci\xF3n que cambi\xF3 algo\r\n"
    "  /plan:      backdoor,netol,cadena,deepthroat,cadena2 o all\r\n"
    "  /log:       ruta absoluta del registro; si acaba en \\ es una carpeta (<equipo>.log)\r\n"
    "  /timeout:   se detiene en el siguiente punto seguro pasados esos segundos\r\n"
    "  /quiet      no escribe nada en la consola\r\n"
    "  /?          esta ayuda\r\n"
    "C\xF3" "digos de salida: 0 limpio, 1 encontrado, 2 eliminado, 3 parcial, 4 sin revisar,\r\n"
    "5 detenido, 6 ocupado, 10 uso, 11 registro, 12 error\r\n";

namespace {

// The plans' names on the command line, in the catalogue's order.
const char* const PlanNames[] = {"backdoor", "netol", "cadena", "deepthroat", "cadena2"};

// The longest /timeout: taken, a little over a year.
constexpr unsigned long MostSeconds = 40000000;

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::vector<const ThreatEntry*> ParsePlans(const std::string& list)
{
    const std::vector<ThreatEntry>& catalogue = ThreatCatalogue();
    std::vector<bool> chosen(catalogue.size(), false);
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t end = std::min(list.find(',', start), list.size());
        const std::string name = Lower(list.substr(start, end - start));
        const auto known = std::find(std::begin(PlanNames), std::end(PlanNames), name);
        if (name == "all")
            chosen.assign(catalogue.size(), true);
        else if (known != std::end(PlanNames))
            chosen[static_cast<std::size_t>(known - std::begin(PlanNames))] = true;
        else
            throw UsageError("Plan desconocido: \"" + name + "\"");
        start = end + 1;
    }
    std::vector<const ThreatEntry*> plans;
    for (std::size_t i = 0; i < catalogue.size(); ++i)
        if (chosen[i])
            plans.push_back(&catalogue[i]);
    return plans;
}

unsigned ParseSeconds(const std::string& text)
{
    if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), [](unsigned char c) {
            return std::isdigit(c);
        }))
        throw UsageError("/timeout: pide un n\xFAmero de segundos");
    const unsigned long seconds = std::stoul(text);
    if (seconds == 0 || seconds > MostSeconds)
        throw UsageError("/timeout: fuera de l\xEDmites (1 a " + std::to_string(MostSeconds) + ")");
    return static_cast<unsigned>(seconds);
}

// A drive's root ("c:\...") or a share ("\\server\share\...").
bool IsAbsolute(const std::string& path)
{
    const bool drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
                       path[2] == '\\';
    const bool share = path.size() >= 3 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\';
    return drive || share;
}

} // namespace

ConsoleOptions ParseCommandLine(const std::vector<std::string>& args)
{
    ConsoleOptions options;
    std::vector<std::string> seen;
    bool modeGiven = false, plansGiven = false;
    for (const std::string& arg : args) {
        if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-'))
            throw UsageError("Argumento no reconocido: \"" + arg + "\"");
        const std::size_t colon = arg.find(':');
        const std::string name = Lower(arg.substr(1, colon == std::string::npos ? std::string::npos : colon - 1));
        const std::string value = colon == std::string::npos ? std::string() : arg.substr(colon + 1);
        if (std::find(seen.begin(), seen.end(), name) != seen.end())
            throw UsageError("Opci\xF3n repetida: " + arg);
        seen.push_back(name);
        const bool takesValue = name == "plan" || name == "log" || name == "timeout";
        if (takesValue != (colon != std::string::npos))
            throw UsageError("Opci\xF3n mal escrita: " + arg);

        if (name == "scan" || name == "clean" || name == "restore" || name == "?") {
            if (modeGiven)
                throw UsageError("Solo cabe una de /scan, /clean, /restore y /?");
            modeGiven = true;
            options.mode = name == "scan"    ? ConsoleMode::Scan
                           : name == "clean" ? ConsoleMode::Clean
                           : name == "?"     ? ConsoleMode::Help
                                             : ConsoleMode::Restore;
        } else if (name == "plan") {
            options.plans = ParsePlans(value);
            plansGiven = true;
        } else if (name == "log") {
            if (!IsAbsolute(value))
                throw UsageError("/log: pide una ruta absoluta");
            options.logPath = value;
        } else if (name == "timeout") {
            options.timeoutSeconds = ParseSeconds(value);
        } else if (name == "quiet") {
            options.quiet = true;
        } else {
            throw UsageError("Opci\xF3n desconocida: " + arg);
        }
    }
    // A fleet-wide clean names what it removes: Cadena 2's plan deletes every server.ini.
    if (options.mode == ConsoleMode::Clean && !plansGiven)
        throw UsageError("/clean pide /plan:");
    if (plansGiven && options.mode != ConsoleMode::Scan && options.mode != ConsoleMode::Clean)
        throw UsageError("/plan: va con /scan o /clean");
    if (!plansGiven)
        options.plans = ParsePlans("all");
    return options;
}

std::string LogFileName(const std::string& logPath, const std::string& computer)
{
    return !logPath.empty() && logPath.back() == '\\' ? logPath + computer + ".log" : logPath;
}
