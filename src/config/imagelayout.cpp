#include "config/imagelayout.h"

namespace kapstat::config::imagelayout {

const QList<SelectionByte>& selectionBytes()
{
    static const QList<SelectionByte> bytes{
        {1, 5},     {13, 9},    {21, 17},   {170, 166}, {162, 49},  {37, 65},       {69, 73},
        {53, 57},   {61, 77},   {81, 85},   {101, 105}, {109, 89},  {93, 97},       {186, 190},
        {194, 113}, {117, 121}, {125, 129}, {133, 174}, {178, 182}, {198, 202},     {206, 145},
        {145, 145}, {149, 149}, {149, 210}, {210, 210}, {222, 222}, {222, NoEntry}, {137, 141},
        {29, 33},   {242, 25},  {214, 218}, {226, 230}, {234, 238},
    };
    return bytes;
}

} // namespace kapstat::config::imagelayout
