if(NOT NAMESPACE)
  set(NAMESPACE fw::detail)
endif()
# The table stays text: it is embedded verbatim and parsed once at first use.
file(READ ${IN} content)
file(WRITE ${OUT}.tmp "// Generated from ${IN}; do not edit.\n#include <cstddef>\nnamespace ${NAMESPACE} {\nextern const char ${SYMBOL}[];\nconst char ${SYMBOL}[] = R\"KIVTSV(${content})KIVTSV\";\n}\n")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
