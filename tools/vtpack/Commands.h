#pragma once
// The vtpack commands. Each returns the process exit code and writes errors to stderr.

#include <string>
#include <vector>

#include "payload/PackPlan.h"

// False, with the reason and the cure on stderr, when the stub already carries a signature: the payload
// appended behind it would break it.
bool CheckStubUnsigned(const std::string& stubPath);
int BuildCommand(const std::string& payloadDir, const std::string& stubPath, const std::string& outputPath);
// The second half of build: the stub and the items, already ordered and checked, into outputPath.
int WriteSetup(const std::vector<payload::PackItem>& items, const std::string& stubPath, const std::string& outputPath);
int ListCommand(const std::string& setupPath);
int VerifyCommand(const std::string& setupPath);
// selection: "all", "payload" (as the setup's application install) or "drivers" (as its driver install)
int ExtractCommand(const std::string& setupPath, const std::string& outputDir, const std::string& selection);
