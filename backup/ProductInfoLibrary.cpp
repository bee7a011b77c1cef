#include "ProductInfoLibrary.h"

namespace {
const char TransactionField[] = "ZEPH-Receipt-TxN";
const int LongAnswer = 255;
const int MostQuestions = 8;
}

QFC::String ReadReceiptTransaction(const QFC::String& productIdentifier)
{
    QFC::String number;
    void* session = OpenProductStore();
    if (!session)
        return number;
    if (SelectProduct(session, productIdentifier.textOrEmpty()))
        number = GetProductField(session, TransactionField);
    CloseProductStore(session);
    return number;
}

QFC::String ReadCustomerId(CustomerIdSource ask)
{
    QFC::String answer = ask();
    for (int asked = 1; answer.length() > LongAnswer && asked < MostQuestions; ++asked) {
        QFC::String again = ask();
        bool longer = again.length() > answer.length();
        answer = again;
        if (!longer)
            break;
    }
    return answer;
}
