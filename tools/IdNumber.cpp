#include "IdNumber.h"

namespace kvam {

QChar idCheckCharacter(const QString &first17)
{
    static const int weights[17] = {7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2};
    static const char checks[] = "10X98765432";
    int sum = 0;
    for (int i = 0; i < 17 && i < first17.size(); ++i)
        sum += (first17.at(i).unicode() - '0') * weights[i];
    return QLatin1Char(checks[sum % 11]);
}

bool hasValidIdCheck(const QString &number)
{
    if (number.size() != 18)
        return false;
    for (int i = 0; i < 17; ++i) {
        if (!number.at(i).isDigit())
            return false;
    }
    return idCheckCharacter(number.left(17)) == number.at(17);
}

} // namespace kvam
