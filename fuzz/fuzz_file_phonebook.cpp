// The modem window's phone book, "Telefonbuch.ini".
#include "fuzzsupport.h"

#include "modem/phonebook.h"

using namespace torvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    PhoneBook book;
    if (loadPhoneBook(fuzz::asFile(data, size, QStringLiteral("Telefonbuch.ini")), &book))
        (void)numberForName(book, QStringLiteral("Bäckerei"));
    return 0;
}
