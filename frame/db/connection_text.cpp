#include "frame/db/connection_text.h"

namespace frame {

Text SqlServerConnectionText(TextArg server, TextArg database, TextArg user, TextArg password) {
  return ConcatTexts("DRIVER=SQL Server;SERVER=", server, ";UID=", user, ";PWD=", password,
                     ";DATABASE=", database, ";");
}

}  // namespace frame
