// Chart label templates ("{value|mmm yy}", "{=expression|format}", rich text marks): the first
// bytes choose the values, the rest is the template.
#include "labeltemplate.h"

#include <cstring>

using namespace TextFormat;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    double numbers[2] = {1.7e308, 1.7e308};
    if (size >= sizeof numbers) {
        std::memcpy(numbers, data, sizeof numbers);
        data += sizeof numbers;
        size -= sizeof numbers;
    }
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const LabelTemplate compiled(text);
    Fields fields;
    fields.value = numbers[0];
    fields.x = numbers[1];
    fields.close = numbers[0];
    const QString name = QStringLiteral("set");
    fields.dataSetName = &name;
    for (const Escape escape : {Escape::None, Escape::Html, Escape::Url, Escape::HrefQuery})
        (void)compiled.expand(fields, escape);
    fields.valueIsTime = true;
    fields.xLabelTime = numbers[1];
    (void)compiled.expand(fields);
    (void)TextFormat::formatValue(numbers[0], text);
    return 0;
}
