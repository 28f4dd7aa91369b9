#include "link/responsebytes.h"

#include "link/framecodec.h"

namespace kapstat::link {

ResponseBytes ResponseBytes::withData(quint8 code, const QByteArray& data)
{
    QByteArray body;
    body.append(static_cast<char>(code));
    body.append(2, '\0');
    body.append(data);
    return ResponseBytes(framecodec::build(body));
}

QByteArray ResponseBytes::bytes(int position, int count) const
{
    QByteArray result(qMax(count, 0), '\0');
    for (int i = 0; i < count; ++i)
        result[i] = static_cast<char>(at(position + i));
    return result;
}

} // namespace kapstat::link
