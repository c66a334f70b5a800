namespace torvel::test { int placeholder = 0; }
