#include "CommandLine.h"

#include <QByteArrayView>
#include <QCommandLineParser>
#include <QStringList>

#include <algorithm>
#include <cctype>

namespace {

// Arguments that QCommandLineParser would take for options ("-1") or could not
// carry byte for byte (text that is not UTF-8) travel through it as place
// holders: this prefix and the index of the original in the held list.
const QString kHeldPrefix = QStringLiteral("\x01held:");

bool isUtf8(const std::string& text)
{
    return QByteArrayView(text.data(), static_cast<qsizetype>(text.size())).isValidUtf8();
}

bool looksLikeValue(const std::string& arg)
{
    if (arg.empty() || arg[0] != '-') return false;
    return arg.size() == 1 || (arg[1] != '-' && !std::isalpha(static_cast<unsigned char>(arg[1])));
}

QString qs(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Words of text in lines that end by column `width` (a longer word keeps its
// own line): the first line starts at column `first`, the others are indented
// by `indent` spaces. Columns are counted in code points.
std::string wrap(const std::string& text, size_t width, size_t first, size_t indent)
{
    const QStringList words = qs(text).split(u' ', Qt::SkipEmptyParts);
    QString out, line;
    size_t column = first;
    for (const QString& word : words) {
        if (!line.isEmpty() && column + static_cast<size_t>(line.size() + 1 + word.size()) > width) {
            out += line + u'\n' + QString(static_cast<qsizetype>(indent), u' ');
            line.clear();
            column = indent;
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    return (out + line).toStdString();
}

constexpr size_t kHelpWidth = 79;

const QCommandLineOption& helpOption()
{
    static const QCommandLineOption option({QStringLiteral("h"), QStringLiteral("help")},
                                           QStringLiteral("Show this help and exit."));
    return option;
}

const QCommandLineOption& versionOption()
{
    static const QCommandLineOption option({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("Show the version and exit."));
    return option;
}

void declare(QCommandLineParser& parser, const CommandLineSpec& spec)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    if (spec.commandFollows)
        parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.setApplicationDescription(qs(wrap(spec.summary, kHelpWidth, 0, 0)));
    parser.addOption(helpOption());
    if (spec.version) parser.addOption(versionOption());
    for (const CommandLineOption& o : spec.options) {
        QStringList names;
        for (const std::string& n : o.names) names << qs(n);
        parser.addOption(QCommandLineOption(names, qs(o.description), qs(o.valueName)));
    }
    for (const CommandLineArgument& a : spec.arguments) parser.addPositionalArgument(qs(a.name), qs(a.description));
}

// Qt's message as a sentence of ours: "Missing value after '--db'." becomes
// "missing value after '--db'".
std::string errorMessage(const QCommandLineParser& parser)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const QString& name = unknown.first();
        return "unknown option " + std::string(name.size() == 1 ? "-" : "--") + name.toStdString();
    }
    QString text = parser.errorText();
    if (text.endsWith(u'.')) text.chop(1);
    if (!text.isEmpty()) text[0] = text[0].toLower();
    return text.toStdString();
}

// The counts of the arguments against the declaration, in order: each takes at
// least its minimum, then the unbounded and optional ones take the rest.
void checkCounts(const CommandLineSpec& spec, const std::vector<std::string>& arguments)
{
    size_t needed = 0, allowed = 0;
    bool unbounded = false;
    for (const CommandLineArgument& a : spec.arguments) {
        size_t available = arguments.size() > needed ? arguments.size() - needed : 0;
        if (available < static_cast<size_t>(a.min)) throw CommandLineError{"missing " + a.name};
        needed += static_cast<size_t>(a.min);
        if (a.max < 0) unbounded = true;
        else allowed += static_cast<size_t>(a.max);
    }
    if (!unbounded && arguments.size() > allowed)
        throw CommandLineError{"unexpected argument '" + arguments[allowed] + "'"};
}
}  // namespace

struct CommandLine::Parsed {
    QCommandLineParser parser;
    std::vector<std::string> held;

    std::string restore(const QString& value) const
    {
        if (value.startsWith(kHeldPrefix)) {
            bool ok = false;
            qsizetype index = value.mid(kHeldPrefix.size()).toLongLong(&ok);
            if (ok && index >= 0 && static_cast<size_t>(index) < held.size()) return held[static_cast<size_t>(index)];
        }
        return value.toStdString();
    }

    QString hold(const std::string& arg)
    {
        held.push_back(arg);
        return kHeldPrefix + QString::number(held.size() - 1);
    }
};

CommandLine::CommandLine(const CommandLineSpec& spec, const std::vector<std::string>& args)
    : parsed_(std::make_unique<Parsed>())
{
    QCommandLineParser& parser = parsed_->parser;
    declare(parser, spec);

    QStringList list{qs(spec.program)};
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        const bool placeHolderLike = !arg.empty() && arg[0] == '\x01';
        if (!optionsEnded && arg == "--") optionsEnded = true;
        if (placeHolderLike || (!optionsEnded && looksLikeValue(arg))) {
            list << parsed_->hold(arg);
        } else if (isUtf8(arg)) {
            list << qs(arg);
        } else {
            // "--name=VALUE" keeps its option; only the value is held.
            size_t eq = arg.find('=');
            if (!optionsEnded && arg.starts_with("--") && eq != std::string::npos && isUtf8(arg.substr(0, eq)))
                list << qs(arg.substr(0, eq + 1)) + parsed_->hold(arg.substr(eq + 1));
            else
                list << parsed_->hold(arg);
        }
    }
    if (!parser.parse(list)) throw CommandLineError{errorMessage(parser)};

    for (const QString& a : parser.positionalArguments()) arguments_.push_back(parsed_->restore(a));
    help_ = parser.isSet(helpOption());
    version_ = spec.version && parser.isSet(versionOption());
    if (!help_ && !version_) checkCounts(spec, arguments_);
}

CommandLine::~CommandLine() = default;
CommandLine::CommandLine(CommandLine&&) noexcept = default;

bool CommandLine::IsSet(const std::string& name) const { return parsed_->parser.isSet(qs(name)); }

std::string CommandLine::Value(const std::string& name, const std::string& fallback) const
{
    const QStringList values = parsed_->parser.values(qs(name));
    return values.isEmpty() ? fallback : parsed_->restore(values.last());
}

std::vector<std::string> CommandLine::Values(const std::string& name) const
{
    std::vector<std::string> out;
    for (const QString& v : parsed_->parser.values(qs(name))) out.push_back(parsed_->restore(v));
    return out;
}

std::string HelpText(const CommandLineSpec& spec)
{
    QCommandLineParser parser;
    declare(parser, spec);
    // Qt's usage line names the executable and "[options]"; ours gives the
    // synopsis the user reads in the documentation.
    QString text = parser.helpText();
    qsizetype firstLineEnd = text.indexOf(u'\n');
    text = text.mid(firstLineEnd < 0 ? text.size() : firstLineEnd + 1);
    std::string usage = "Usage: " + spec.program;
    if (!spec.synopsis.empty()) usage += " " + spec.synopsis;
    // A long synopsis goes on under itself.
    const size_t indent = std::min<size_t>(spec.program.size() + 8, 30);
    std::string help = wrap(usage, kHelpWidth, 0, indent) + "\n" + text.toStdString();
    if (!spec.commands.empty()) {
        size_t width = 0;
        for (const auto& [name, summary] : spec.commands) width = std::max(width, name.size());
        help += "\nCommands:\n";
        for (const auto& [name, summary] : spec.commands)
            help += "  " + name + std::string(width - name.size() + 2, ' ') +
                    wrap(summary, kHelpWidth, width + 4, width + 4) + "\n";
    }
    if (!spec.details.empty()) {
        help += "\n" + spec.details;
        if (help.back() != '\n') help += "\n";
    }
    return help;
}
