// Opening a web address in the browser.
