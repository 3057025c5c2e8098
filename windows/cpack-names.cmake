# SPDX-FileCopyrightText: 2026 Das Wulpe-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# The names of the packages CPack makes for Windows: the installer, and the portable zip
# with its one folder of the same name.
if(CPACK_GENERATOR MATCHES "^NSIS")
    set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-setup")
elseif(CPACK_GENERATOR STREQUAL "ZIP")
    set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-windows-x64")
endif()
