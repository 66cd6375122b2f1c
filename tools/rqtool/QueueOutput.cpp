#include "QueueOutput.h"

#include "runtime/Exceptions.h"

const std::vector<QueueOutputKind>& QueueOutputKinds()
{
    static const std::vector<QueueOutputKind> kinds{PdfOutputKind(), PrinterOutputKind(), XlsxOutputKind()};
    return kinds;
}

const QueueOutputKind& QueueOutputKindOf(const QJsonObject& output)
{
    const std::string kind = output["kind"].toString().toStdString();
    for (const QueueOutputKind& k : QueueOutputKinds())
        if (kind == k.name) return k;
    throw Exception("this rqtool cannot deliver output of kind '" + kind + "'");
}
