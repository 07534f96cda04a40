UPDATE contacts SET first_name = NULL; INSERT INTO contacts(id, picture1) VALUES (2, 'x'); INSERT INTO contact_entries VALUES (2, 9, -1, NULL, 1.5);
