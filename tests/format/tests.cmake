# ScanFloat under a German and a US user locale.
veltra_add_locale_runs(test_format)
