INSERT INTO contacts(id, first_name, last_name, note) VALUES (1, 'Ann', 'Lee', 'n');
INSERT INTO contact_entries VALUES (1, 1, 0, 'mobile', '+1 555 0100'), (1, 2, 0, 'home', 'ann@example.com');
INSERT INTO group_members VALUES (1, 1);
