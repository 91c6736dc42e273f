// vtpack build appends behind the stub; a signature the stub already carries would no longer match.
#include <iostream>

#include "payload/CertificateTable.h"
#include "tools/vtpack/Commands.h"
#include "tools/vtpack/StdFileSource.h"

bool CheckStubUnsigned(const std::string& stubPath) {
    StdFileSource stub(stubPath);
    if (!stub.IsOpen() || !payload::FindCertificateTable(stub).Present()) {
        return true;
    }
    std::cerr << "vtpack: the stub \"" << stubPath
              << "\" is signed; appending the payload would break its signature.\n"
                 "vtpack: build from the unsigned stub, or remove the signature first:\n"
                 "vtpack:   osslsigncode remove-signature -in STUB.exe -out UNSIGNED.exe   (Linux)\n"
                 "vtpack:   signtool remove /s STUB.exe                                     (Windows)\n"
                 "vtpack: and sign the setup that vtpack build writes.\n"
                 "vtpack: nothing written\n";
    return false;
}
