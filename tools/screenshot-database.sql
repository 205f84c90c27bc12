-- The reference database the README's screenshots are taken over.
CREATE TABLE judgement (GUID TEXT PRIMARY KEY, JudgementCode TEXT, JudgementName TEXT);
CREATE TABLE structures (GUID TEXT PRIMARY KEY, ref_Judgement TEXT, StructureNum TEXT, StructureType TEXT,
                         StructureFAXNum TEXT, StructureSpecification TEXT);
CREATE TABLE separation (GUID TEXT PRIMARY KEY, ref_structures TEXT, SeparationName TEXT, Phone TEXT,
                         vnphone TEXT, zal TEXT, floor TEXT);
INSERT INTO judgement VALUES ('{0B1C7E52-3A4D-4E8F-9A01-6C2D3E4F5A61}', 'А40', 'Арбитражный суд города Москвы');
INSERT INTO judgement VALUES ('{1C2D8F63-4B5E-4F90-8B12-7D3E4F5A6B72}', 'А41', 'Арбитражный суд Московской области');
INSERT INTO judgement VALUES ('{2D3E9074-5C6F-4A01-9C23-8E4F5A6B7C83}', 'А56', 'Арбитражный суд города Санкт-Петербурга и Ленинградской области');
INSERT INTO structures VALUES ('{3E4FA185-6D70-4B12-8D34-9F5A6B7C8D94}', '{0B1C7E52-3A4D-4E8F-9A01-6C2D3E4F5A61}',
                               '1', 'гражданский', '(495) 600-01-01', 'банкротство');
INSERT INTO structures VALUES ('{4F50B296-7E81-4C23-9E45-A06B7C8D9EA5}', '{0B1C7E52-3A4D-4E8F-9A01-6C2D3E4F5A61}',
                               '2', 'административный', '(495) 600-02-02', 'налоговые споры');
INSERT INTO separation VALUES ('{5061C3A7-8F92-4D34-8F56-B17C8D9EAFB6}', '{3E4FA185-6D70-4B12-8D34-9F5A6B7C8D94}',
                               '101', '(495) 600-11-11', '1101', '5017', '5');
INSERT INTO separation VALUES ('{6172D4B8-90A3-4E45-9067-C28D9EAFB0C7}', '{3E4FA185-6D70-4B12-8D34-9F5A6B7C8D94}',
                               '102', '(495) 600-12-12', '1102', '3002', '3');
INSERT INTO separation VALUES ('{7283E5C9-A1B4-4F56-8178-D39EAFB0C1D8}', '{4F50B296-7E81-4C23-9E45-A06B7C8D9EA5}',
                               '201', '(495) 600-21-21', '2201', '7001', '7');
