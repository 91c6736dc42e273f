# Signed setups and the integrity record: the certificate table, the sealed writer, the check; and the
# comparison that tells the setup's own file from another under its name.
vt_test(certificate_table_test SOURCES certificate_table_test.cpp LIBS vt_payload_core)
vt_test(archive_integrity_test SOURCES archive_integrity_test.cpp LIBS vt_payload_core vt_xxhash)
vt_test(loaded_image_headers_test SOURCES loaded_image_headers_test.cpp LIBS vt_payload_core)
# The choice of the digest's kernel from the processor's registers.
vt_test(processor_features_test SOURCES processor_features_test.cpp LIBS vt_payload_core)
