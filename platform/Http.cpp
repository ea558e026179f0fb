#include "platform/Http.h"

THTTPClient::THTTPClient(TComponent* AOwner) : TComponent(AOwner) {}

String THTTPClient::Get(const String&) { throw EHTTPError(QStringLiteral("not connected")); }
