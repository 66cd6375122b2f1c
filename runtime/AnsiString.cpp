#include "AnsiString.h"

#include <QString>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace {

struct CodePage {
    std::string name = "CP936";
    bool doubleByte = true;
    // Lead-byte ranges of the double-byte code pages (inclusive).
    unsigned char lead1Lo = 0x81, lead1Hi = 0xFE, lead2Lo = 1, lead2Hi = 0;
};

CodePage& codePage()
{
    static CodePage cp;
    return cp;
}

std::atomic<unsigned> codePageGeneration{1};
bool leadTable[256];

void buildLeadTable()
{
    const CodePage& cp = codePage();
    for (int c = 0; c < 256; ++c)
        leadTable[c] = cp.doubleByte && ((c >= cp.lead1Lo && c <= cp.lead1Hi) || (c >= cp.lead2Lo && c <= cp.lead2Hi));
}

struct LeadTableInit {
    LeadTableInit() { buildLeadTable(); }
} leadTableInit;

// One iconv descriptor per thread and direction, reopened when the code page changes.
class Converter {
public:
    Converter(bool toUtf8) : toUtf8_(toUtf8) {}
    ~Converter()
    {
        if (cd_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd_);
    }
    iconv_t get()
    {
        unsigned gen = codePageGeneration.load();
        if (gen != generation_) {
            if (cd_ != reinterpret_cast<iconv_t>(-1))
                iconv_close(cd_);
            const std::string& cp = codePage().name;
            cd_ = toUtf8_ ? iconv_open("UTF-8", cp.c_str()) : iconv_open(cp.c_str(), "UTF-8");
            generation_ = gen;
        } else {
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // reset shift state
        }
        return cd_;
    }

private:
    bool toUtf8_;
    iconv_t cd_ = reinterpret_cast<iconv_t>(-1);
    unsigned generation_ = 0;
};

bool isAscii(std::string_view text)
{
    for (unsigned char c : text)
        if (c >= 0x80)
            return false;
    return true;
}

// Length of a well-formed UTF-8 sequence at p, or 0 when it is not one.
size_t utf8SequenceLength(const unsigned char* p, size_t left)
{
    unsigned char c = p[0];
    size_t n;
    unsigned cp;
    if (c < 0x80) return 1;
    if ((c & 0xE0) == 0xC0) { n = 2; cp = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { n = 3; cp = c & 0x0F; }
    else if ((c & 0xF8) == 0xF0) { n = 4; cp = c & 0x07; }
    else return 0;
    if (n > left) return 0;
    for (size_t i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    static const unsigned minimum[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < minimum[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

// Runs iconv over the whole input. When the input has a sequence that is invalid
// (or, towards the code page, a character it cannot hold), `replacement` is
// written and `skip(pos)` input bytes are passed over.
template <class Skip>
std::string convert(iconv_t cd, std::string_view in, std::string_view replacement, Skip skip)
{
    std::string out;
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // No converter for this code page: keep ASCII, replace the rest.
        for (unsigned char c : in)
            out += c < 0x80 ? std::string(1, static_cast<char>(c)) : std::string(replacement);
        return out;
    }
    out.resize(in.size() * 2 + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    size_t used = 0;
    while (srcLeft > 0) {
        char* dst = out.data() + used;
        size_t dstLeft = out.size() - used;
        size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        used = out.size() - dstLeft;
        if (rc != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // EILSEQ or EINVAL (incomplete at the end): replace and step over.
        size_t pos = static_cast<size_t>(src - in.data());
        size_t n = skip(pos);
        if (n == 0 || n > srcLeft) n = 1;
        if (used + replacement.size() > out.size())
            out.resize(out.size() * 2 + replacement.size());
        std::memcpy(out.data() + used, replacement.data(), replacement.size());
        used += replacement.size();
        src += n;
        srcLeft -= n;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(used);
    return out;
}

}  // namespace

void SetAnsiCodePage(std::string_view iconvName)
{
    CodePage cp;
    cp.name = std::string(iconvName);
    std::string upper = UpperCase(iconvName);
    cp.doubleByte = false;
    if (upper == "CP936" || upper == "GBK" || upper == "GB2312" || upper == "CP950" || upper == "BIG5" ||
        upper == "CP949" || upper == "EUC-KR" || upper == "GB18030") {
        cp.doubleByte = true;
        cp.lead1Lo = 0x81;
        cp.lead1Hi = 0xFE;
    } else if (upper == "CP932" || upper == "SHIFT_JIS" || upper == "SJIS") {
        cp.doubleByte = true;
        cp.lead1Lo = 0x81;
        cp.lead1Hi = 0x9F;
        cp.lead2Lo = 0xE0;
        cp.lead2Hi = 0xFC;
    }
    codePage() = cp;
    buildLeadTable();
    codePageGeneration.fetch_add(1);
}

const std::string& AnsiCodePage()
{
    return codePage().name;
}

bool IsDoubleByteCodePage()
{
    return codePage().doubleByte;
}

bool IsLeadByte(unsigned char c)
{
    return leadTable[c];
}

size_t CharLengthAt(std::string_view text, size_t pos)
{
    if (pos + 1 < text.size() && leadTable[static_cast<unsigned char>(text[pos])])
        return 2;
    return 1;
}

std::string AnsiToUtf8(std::string_view text)
{
    if (isAscii(text))
        return std::string(text);
    thread_local Converter converter(true);
    return convert(converter.get(), text, "\xEF\xBF\xBD", [](size_t) { return size_t(1); });
}

AnsiString Utf8ToAnsi(std::string_view text)
{
    if (isAscii(text))
        return std::string(text);
    thread_local Converter converter(false);
    auto skip = [&](size_t pos) {
        auto* p = reinterpret_cast<const unsigned char*>(text.data()) + pos;
        size_t n = utf8SequenceLength(p, text.size() - pos);
        return n == 0 ? size_t(1) : n;
    };
    return convert(converter.get(), text, "?", skip);
}

QString AnsiToQString(std::string_view text)
{
    if (isAscii(text))
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    std::string utf8 = AnsiToUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

AnsiString QStringToAnsi(const QString& text)
{
    QByteArray utf8 = text.toUtf8();
    return Utf8ToAnsi(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

namespace {
template <class Map>
AnsiString mapAscii(std::string_view text, Map map)
{
    AnsiString out(text);
    for (size_t i = 0; i < out.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(out[i]);
        if (leadTable[c]) {
            ++i;  // the trail byte is part of the character
            continue;
        }
        out[i] = static_cast<char>(map(c));
    }
    return out;
}
}  // namespace

AnsiString UpperCase(std::string_view text)
{
    return mapAscii(text, [](unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; });
}

AnsiString LowerCase(std::string_view text)
{
    return mapAscii(text, [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; });
}

int CompareText(std::string_view a, std::string_view b)
{
    size_t n = std::min(a.size(), b.size());
    bool trail = false;
    for (size_t i = 0; i < n; ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (!trail) {
            if (ca >= 'a' && ca <= 'z') ca -= 32;
            if (cb >= 'a' && cb <= 'z') cb -= 32;
        }
        if (ca != cb)
            return ca < cb ? -1 : 1;
        trail = !trail && leadTable[static_cast<unsigned char>(a[i])];
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && CompareText(a, b) == 0;
}

int CompareStr(std::string_view a, std::string_view b)
{
    int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

AnsiString TrimLeft(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ')
        ++i;
    return AnsiString(text.substr(i));
}

AnsiString TrimRight(std::string_view text)
{
    size_t n = text.size();
    while (n > 0 && static_cast<unsigned char>(text[n - 1]) <= ' ')
        --n;
    return AnsiString(text.substr(0, n));
}

AnsiString Trim(std::string_view text)
{
    return TrimRight(TrimLeft(text));
}

AnsiString Ansi(std::string_view utf8)
{
    return Utf8ToAnsi(utf8);
}
