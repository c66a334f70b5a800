namespace torvel::sim { int placeholder = 0; }
