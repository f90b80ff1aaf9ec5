// The background update check.
